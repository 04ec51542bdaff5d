-- The small test catalogue: root 1..30; fan types at level 1, series at level 2, schemes at
-- level 3; ten fans, fan 10 with a motor that does not exist.
INSERT INTO classes VALUES (1, 'Вентиляторы', 1, 30, 0);
INSERT INTO classes VALUES (2, 'ВКОП', 2, 5, 1);
INSERT INTO classes VALUES (3, 'ВКОП серия', 3, 4, 2);
INSERT INTO classes VALUES (4, 'ВКР', 6, 11, 1);
INSERT INTO classes VALUES (5, 'ВКР серия', 7, 10, 2);
INSERT INTO classes VALUES (6, 'Схема 1', 8, 9, 3);
INSERT INTO classes VALUES (7, 'ВР', 12, 23, 1);
INSERT INTO classes VALUES (8, 'ВР 80-75', 13, 18, 2);
INSERT INTO classes VALUES (9, 'Схема 1', 14, 15, 3);
INSERT INTO classes VALUES (10, 'Схема 5', 16, 17, 3);
INSERT INTO classes VALUES (11, 'ВР 300-45', 19, 22, 2);
INSERT INTO classes VALUES (12, 'Схема 5', 20, 21, 3);
INSERT INTO classes VALUES (13, 'ВО', 24, 29, 1);
INSERT INTO classes VALUES (14, 'ВО 06-300', 25, 28, 2);
INSERT INTO classes VALUES (15, 'Крышные осевые', 26, 27, 3);
INSERT INTO engines VALUES (1, 0.75, 1500, 1400);
INSERT INTO engines VALUES (2, 5.5, 3000, 2850);
INSERT INTO engines VALUES (3, 11, 1000, 960);
INSERT INTO materials VALUES (1, 'О', 20);
INSERT INTO materials VALUES (2, 'Ж', 400);
INSERT INTO materials VALUES (3, 'К', 20);
INSERT INTO materials VALUES (4, 'ДУ', 600);
INSERT INTO models VALUES (1, 'ВР80-75', 0, 0, 0, 0, -2.0, 0.2, 0.85, 0, 0, 0, 0, 0.5, 0.05, 0.1,
    0.1, 0.35, 0.5, 0.6, 'vr80_75', 'vr80_75');
INSERT INTO models VALUES (2, 'ВКР', 0, 0, 0, 0, -1.5, 0.1, 0.7, 0, 0, 0, 0, 0.4, 0.05, 0.08,
    0.1, 0.4, 0.5, 0.6, '', 'vkr');
INSERT INTO models VALUES (3, 'ВКОП(Ф)', 0, 0, 0, 0, -1.0, 0.0, 0.4, 0, 0, 0, 0, 0.3, 0.02, 0.05,
    0.15, 0.45, 0.9, 0.9, NULL, 'vkop');
INSERT INTO models VALUES (4, 'ВО 06-300', 0, 0, 0, 0, -0.8, 0.0, 0.3, 0, 0, 0, 0, 0.2, 0.02, 0.04,
    0.2, 0.5, 0.9, 0.9, 'vo06_300', 'vo06_300');
INSERT INTO models VALUES (5, 'ВР300-45', 0, 0, 0, 0, -6.0, 0.5, 3.0, 0, 0, 0, 0, 1.0, 0.2, 0.3,
    0.05, 0.2, 0.3, 0.4, 'vr300_45', 'vr300_45');
INSERT INTO fans VALUES (1, 9, 1, 1, 1, 4, 1, 1400, 1250.5, 4000.5, 300, 500, 600, 500, 600, 50, NULL);
INSERT INTO fans VALUES (2, 9, 1, 2, 2, 3.15, 1, 2850, 1500, 3000, 700, 900, NULL, NULL, NULL, NULL, 'https://vortel.example/order/2');
INSERT INTO fans VALUES (3, 10, 1, 3, 3, 6.3, 0.9, 960, 5000, 9000, 400, 600, 900, 800, 900, 120, NULL);
INSERT INTO fans VALUES (4, 10, 1, 1, 1, 4, 1.05, 1400, 1400, 4200, 300, 520, 600, 500, 600, 52, NULL);
INSERT INTO fans VALUES (5, 6, 2, 1, 1, 5, 1, 1400, 2000, 5000, 200, 400, 700, 700, 500, 40, NULL);
INSERT INTO fans VALUES (6, 6, 2, 2, 3, 4, 1, 2850, 2500, 6000, 500, 800, 700, 700, 500, 45, NULL);
INSERT INTO fans VALUES (7, 3, 3, 3, 4, 8, 1, 960, 9000, 20000, 150, 300, 1000, 1000, 1200, 150, NULL);
INSERT INTO fans VALUES (8, 15, 4, 2, 1, 6.3, 1, 2850, 8000, 16000, 100, 250, 800, 700, 700, 60, NULL);
INSERT INTO fans VALUES (9, 12, 5, 3, 2, 5, 1, 960, 3000, 5000, 1500, 2500, 800, 700, 800, 90, NULL);
INSERT INTO fans VALUES (10, 12, 5, 99, 1, 5, 1, 960, 3000, 5000, 1500, 2500, 800, 700, 800, 90, NULL);
