-- Tables of the fan catalogue fans.dat. The program only reads this file.
--
-- Columns that hold a mix of whole and fractional values (diameter 4 and 3.15,
-- power 3 and 5.5, nominal 1 and 0.9) are NUMERIC rather than REAL: numeric
-- affinity still makes comparisons with quoted values like '12' numeric, but
-- whole values stay integers, so they read back as "4", never "4.0", and the
-- airflow and pressure ranges concatenate as "1250 - 4000".

DROP TABLE IF EXISTS fans;
DROP TABLE IF EXISTS classes;
DROP TABLE IF EXISTS engines;
DROP TABLE IF EXISTS materials;
DROP TABLE IF EXISTS models;

-- Fan-class tree as a nested set: root, fan types, series, schemes.
CREATE TABLE classes (
    id         INTEGER PRIMARY KEY,
    class      TEXT    NOT NULL,
    leftValue  INTEGER NOT NULL UNIQUE,
    rightValue INTEGER NOT NULL UNIQUE,
    level      INTEGER NOT NULL,
    CHECK (leftValue < rightValue)
);

-- Motors: rated power in kW, synchronous and actual speed in rev/min.
CREATE TABLE engines (
    id        INTEGER PRIMARY KEY,
    power     NUMERIC NOT NULL,
    speed     INTEGER NOT NULL,
    realSpeed NUMERIC NOT NULL
);

-- Execution of the fan; temperature (deg C) is the rated temperature of the air moved.
CREATE TABLE materials (
    id          INTEGER PRIMARY KEY,
    material    TEXT    NOT NULL,
    temperature INTEGER NOT NULL
);

-- Aerodynamic designs. a1..a7: static pressure coefficient, b1..b7: power
-- coefficient, each a polynomial in the flow coefficient from the sixth power
-- (a1, b1) down to the constant term (a7, b7).
CREATE TABLE models (
    id       INTEGER PRIMARY KEY,
    model    TEXT NOT NULL,
    a1 REAL NOT NULL, a2 REAL NOT NULL, a3 REAL NOT NULL, a4 REAL NOT NULL,
    a5 REAL NOT NULL, a6 REAL NOT NULL, a7 REAL NOT NULL,
    b1 REAL NOT NULL, b2 REAL NOT NULL, b3 REAL NOT NULL, b4 REAL NOT NULL,
    b5 REAL NOT NULL, b6 REAL NOT NULL, b7 REAL NOT NULL,
    phi_min  REAL NOT NULL,
    phi_max  REAL NOT NULL,
    b        REAL NOT NULL,
    c        REAL NOT NULL,
    pdf      TEXT,
    techInfo TEXT NOT NULL,
    CHECK (phi_min < phi_max AND b > 0 AND c > 0)
);

-- One catalogue fan: a model in one size and trim, with one motor and one execution.
-- diameter in dm, rev in rev/min, q in m3/h, p in Pa, dimensions in mm, weight in kg.
CREATE TABLE fans (
    id          INTEGER PRIMARY KEY,
    class_id    INTEGER NOT NULL REFERENCES classes (id),
    model_id    INTEGER NOT NULL REFERENCES models (id),
    engine_id   INTEGER NOT NULL REFERENCES engines (id),
    material_id INTEGER NOT NULL REFERENCES materials (id),
    diameter    NUMERIC NOT NULL,
    nominal     NUMERIC NOT NULL,
    rev         INTEGER NOT NULL,
    q_min       NUMERIC NOT NULL,
    q_max       NUMERIC NOT NULL,
    p_min       NUMERIC NOT NULL,
    p_max       NUMERIC NOT NULL,
    length      NUMERIC,
    depth       NUMERIC,
    height      NUMERIC,
    weight      NUMERIC,
    url         TEXT
);

-- The fan table is reached through the class interval, the text search and the
-- filters; these indexes serve those lookups and the joins back from each table.
CREATE INDEX fans_class_id    ON fans (class_id);
CREATE INDEX fans_model_id    ON fans (model_id);
CREATE INDEX fans_engine_id   ON fans (engine_id);
CREATE INDEX fans_material_id ON fans (material_id);
CREATE INDEX fans_diameter    ON fans (diameter);
-- Serves both the tree's ORDER BY leftValue and the interval conditions.
CREATE INDEX classes_interval ON classes (leftValue, rightValue);
