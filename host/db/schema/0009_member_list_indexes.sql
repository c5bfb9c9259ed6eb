-- The member list at chain scale: it reads its live cards a page at a time in the
-- order of the card's id, sorted by the clerk's column and narrowed by the condition
-- panel's issue date, validity date and store. These let each page and each
-- condition be answered from an index instead of a pass over every card.
CREATE INDEX ix_vipcard_builddate ON vipcard (BulidDate) WHERE deleted = 0;
CREATE INDEX ix_vipcard_validity ON vipcard (ValidityDate) WHERE deleted = 0;
CREATE INDEX ix_vipcard_activatepos ON vipcard (ActivatePosId) WHERE deleted = 0;
CREATE INDEX ix_vipcard_name ON vipcard (Name) WHERE deleted = 0;
