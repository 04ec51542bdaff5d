-- One model, psi = 1 − 5·phi² without dynamic pressure (b = c = 1e6), lambda = 0.2 + phi, phi
-- 0.05 to 0.4; every fan D = 10 dm. At 600 rev/min u = 10π, so at 20 °C Q = 9000π²·phi m³/h,
-- P = 0.6·u²·psi = 60π²·psi Pa, N = 0.6·π·u³/4000·lambda = 0.15π⁴·lambda kW.
-- Fans: 1 with a 10 kW motor, 2 rated 400 °C with 3 kW, 3 like 1 with 7.5 kW, 4 at 672 rev/min
-- with 15 kW, 5 like 1 but its motor is missing, so the joins drop it.
INSERT INTO classes VALUES (1, 'ВР', 1, 2, 0);
INSERT INTO engines VALUES (1, 10, 600, 600), (2, 3, 600, 600), (3, 7.5, 600, 600),
    (4, 15, 750, 672);
INSERT INTO materials VALUES (1, 'О', 20), (2, 'Ж', 400);
INSERT INTO models VALUES (1, 'ВР 80-75', 0, 0, 0, 0, -5, 0, 1, 0, 0, 0, 0, 0, 1, 0.2,
    0.05, 0.4, 1e6, 1e6, NULL, 'x');
INSERT INTO fans VALUES (1, 1, 1, 1, 1, 10, 1, 600, 1, 2, 1, 2, NULL, NULL, NULL, NULL, NULL),
    (2, 1, 1, 2, 2, 10, 1, 600, 1, 2, 1, 2, NULL, NULL, NULL, NULL, NULL),
    (3, 1, 1, 3, 1, 10, 1, 600, 1, 2, 1, 2, NULL, NULL, NULL, NULL, NULL),
    (4, 1, 1, 4, 1, 10, 1, 672, 1, 2, 1, 2, NULL, NULL, NULL, NULL, NULL),
    (5, 1, 1, 99, 1, 10, 1, 600, 1, 2, 1, 2, NULL, NULL, NULL, NULL, NULL);
