-- An administrator can stop a user without removing them, and can limit the stores
-- a user may log in at. Users who were there before keep logging in anywhere.
ALTER TABLE loginuser ADD COLUMN Disabled SMALLINT NOT NULL DEFAULT 0;
ALTER TABLE loginuser ADD COLUMN AllStores SMALLINT NOT NULL DEFAULT 1;

-- The stores (posinfo.posid, 0 for the head office) of a user without AllStores.
CREATE TABLE userpos (
    UserRec INTEGER NOT NULL REFERENCES loginuser (rec),
    PosId INTEGER NOT NULL,
    PRIMARY KEY (UserRec, PosId)
);
