-- The last change stamp handed to a card type (viptype.MD). A writer takes the
-- next one by updating this single row, which also holds it until the writer
-- commits, so two writers never get the same stamp.

CREATE TABLE VipTypeStamp (
    id INTEGER NOT NULL PRIMARY KEY CHECK (id = 1),
    MD BIGINT NOT NULL
);
INSERT INTO VipTypeStamp (id, MD) SELECT 1, COALESCE(MAX(MD), 0) FROM viptype;
