-- The member list at chain scale reads its live cards a page at a time in the
-- order of the card's id or of the column the clerk sorted on, within the condition
-- panel's issue and validity dates.

-- Sorting by the holder's name reads the first page from the index.
CREATE INDEX ix_vipcard_name ON vipcard (Name) WHERE deleted = 0;

-- A narrow issue or validity range is answered from these on PostgreSQL, whose
-- planner weighs the dates bound. SQLite's cannot (it is built without range
-- statistics): it would take one of them for the wide ranges the list opens with
-- and sort every card instead of reading the first page in id order.
{POSTGRES}CREATE INDEX ix_vipcard_builddate ON vipcard (BulidDate) WHERE deleted = 0;
{POSTGRES}CREATE INDEX ix_vipcard_validity ON vipcard (ValidityDate) WHERE deleted = 0;

-- Every row of the list counts the cards its card introduced. Introducers are card
-- ids, many and distinct over a chain's life; in a chain where nobody has been
-- introduced yet every value is 0, and PostgreSQL would then judge that count to
-- match every card and read the whole table once per row shown.
{POSTGRES}ALTER TABLE vipcard ALTER COLUMN JSVIPCardID SET (n_distinct = -0.05);
