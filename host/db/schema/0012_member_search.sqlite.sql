-- The member search finds a card by any part of its pinyin initials, holder's
-- name, telephone, bar code, number or identity number. LIKE '%...%' reads every
-- card; this full-text table with the trigram tokenizer answers a fragment of three
-- or more characters from its index instead. One row per live card (rowid = the
-- card's id) holds the six texts; the triggers keep it in step with every write of
-- a card, whoever writes it, and drop a card once it is deleted.
CREATE VIRTUAL TABLE VipCardSearch USING fts5(Words, tokenize = 'trigram');

INSERT INTO VipCardSearch (rowid, Words)
SELECT id, PYZJM || ' ' || Name || ' ' || Tel || ' ' || VIPBarCode || ' ' || CardNo || ' ' || IdentityCard
FROM vipcard WHERE deleted = 0;

CREATE TRIGGER tr_vipcard_search_insert AFTER INSERT ON vipcard WHEN new.deleted = 0
BEGIN INSERT INTO VipCardSearch (rowid, Words) VALUES (new.id, new.PYZJM || ' ' || new.Name || ' ' || new.Tel || ' ' || new.VIPBarCode || ' ' || new.CardNo || ' ' || new.IdentityCard); END;

CREATE TRIGGER tr_vipcard_search_update AFTER UPDATE OF PYZJM, Name, Tel, VIPBarCode, CardNo, IdentityCard, deleted ON vipcard
BEGIN DELETE FROM VipCardSearch WHERE rowid = old.id; INSERT INTO VipCardSearch (rowid, Words) SELECT new.id, new.PYZJM || ' ' || new.Name || ' ' || new.Tel || ' ' || new.VIPBarCode || ' ' || new.CardNo || ' ' || new.IdentityCard WHERE new.deleted = 0; END;

CREATE TRIGGER tr_vipcard_search_delete AFTER DELETE ON vipcard
BEGIN DELETE FROM VipCardSearch WHERE rowid = old.id; END;

-- The member list and the card lookups count each card's introduced cards.
CREATE INDEX ix_vipcard_introducer ON vipcard (JSVIPCardID);
