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

-- Trigrams cannot hold one or two characters. Chinese characters appear only in the
-- holder's name, so a short fragment holding one is looked up among the names: each
-- of the first 16 characters of a name is a token of this second table, and a
-- fragment of two is found as a phrase of two adjacent tokens.
CREATE VIRTUAL TABLE VipNameSearch USING fts5(Chars, tokenize = 'unicode61');

INSERT INTO VipNameSearch (rowid, Chars)
SELECT id, substr(Name, 1, 1) || ' ' || substr(Name, 2, 1) || ' ' || substr(Name, 3, 1) || ' ' || substr(Name, 4, 1) || ' ' || substr(Name, 5, 1) || ' ' || substr(Name, 6, 1) || ' ' || substr(Name, 7, 1) || ' ' || substr(Name, 8, 1) || ' ' || substr(Name, 9, 1) || ' ' || substr(Name, 10, 1) || ' ' || substr(Name, 11, 1) || ' ' || substr(Name, 12, 1) || ' ' || substr(Name, 13, 1) || ' ' || substr(Name, 14, 1) || ' ' || substr(Name, 15, 1) || ' ' || substr(Name, 16, 1)
FROM vipcard WHERE deleted = 0;

CREATE TRIGGER tr_vipcard_search_insert AFTER INSERT ON vipcard WHEN new.deleted = 0
BEGIN INSERT INTO VipCardSearch (rowid, Words) VALUES (new.id, new.PYZJM || ' ' || new.Name || ' ' || new.Tel || ' ' || new.VIPBarCode || ' ' || new.CardNo || ' ' || new.IdentityCard); INSERT INTO VipNameSearch (rowid, Chars) VALUES (new.id, substr(new.Name, 1, 1) || ' ' || substr(new.Name, 2, 1) || ' ' || substr(new.Name, 3, 1) || ' ' || substr(new.Name, 4, 1) || ' ' || substr(new.Name, 5, 1) || ' ' || substr(new.Name, 6, 1) || ' ' || substr(new.Name, 7, 1) || ' ' || substr(new.Name, 8, 1) || ' ' || substr(new.Name, 9, 1) || ' ' || substr(new.Name, 10, 1) || ' ' || substr(new.Name, 11, 1) || ' ' || substr(new.Name, 12, 1) || ' ' || substr(new.Name, 13, 1) || ' ' || substr(new.Name, 14, 1) || ' ' || substr(new.Name, 15, 1) || ' ' || substr(new.Name, 16, 1)); END;

CREATE TRIGGER tr_vipcard_search_update AFTER UPDATE OF PYZJM, Name, Tel, VIPBarCode, CardNo, IdentityCard, deleted ON vipcard
BEGIN DELETE FROM VipCardSearch WHERE rowid = old.id; INSERT INTO VipCardSearch (rowid, Words) SELECT new.id, new.PYZJM || ' ' || new.Name || ' ' || new.Tel || ' ' || new.VIPBarCode || ' ' || new.CardNo || ' ' || new.IdentityCard WHERE new.deleted = 0; DELETE FROM VipNameSearch WHERE rowid = old.id; INSERT INTO VipNameSearch (rowid, Chars) SELECT new.id, substr(new.Name, 1, 1) || ' ' || substr(new.Name, 2, 1) || ' ' || substr(new.Name, 3, 1) || ' ' || substr(new.Name, 4, 1) || ' ' || substr(new.Name, 5, 1) || ' ' || substr(new.Name, 6, 1) || ' ' || substr(new.Name, 7, 1) || ' ' || substr(new.Name, 8, 1) || ' ' || substr(new.Name, 9, 1) || ' ' || substr(new.Name, 10, 1) || ' ' || substr(new.Name, 11, 1) || ' ' || substr(new.Name, 12, 1) || ' ' || substr(new.Name, 13, 1) || ' ' || substr(new.Name, 14, 1) || ' ' || substr(new.Name, 15, 1) || ' ' || substr(new.Name, 16, 1) WHERE new.deleted = 0; END;

CREATE TRIGGER tr_vipcard_search_delete AFTER DELETE ON vipcard
BEGIN DELETE FROM VipCardSearch WHERE rowid = old.id; DELETE FROM VipNameSearch WHERE rowid = old.id; END;

-- The member list and the card lookups count each card's introduced cards. Nearly
-- every card has no introducer (0), so only the others are indexed; a plain index
-- would leave PostgreSQL's planner expecting every card to match and scanning them.
CREATE INDEX ix_vipcard_introduced ON vipcard (JSVIPCardID) WHERE JSVIPCardID <> 0 AND deleted = 0;
