-- The member search finds a card by any part of its pinyin initials, holder's
-- name, telephone, bar code, number or identity number. LIKE '%...%' reads every
-- card; a trigram index (pg_trgm, a contrib extension of the server) answers a
-- fragment of three or more characters from the index instead. The index is on the
-- six texts joined, so the server keeps it with every write of a live card.
-- The extension lives once per database, in public, whichever schema asks first;
-- the lock keeps two schemas being created at once from both installing it.
SELECT pg_advisory_xact_lock(7412012);

CREATE EXTENSION IF NOT EXISTS pg_trgm SCHEMA public;

CREATE INDEX ix_vipcard_search ON vipcard USING gin ((PYZJM || ' ' || Name || ' ' || Tel || ' ' || VIPBarCode || ' ' || CardNo || ' ' || IdentityCard) public.gin_trgm_ops) WHERE deleted = 0;

-- Trigrams cannot hold one or two characters. Chinese characters appear only in the
-- holder's name, so a short fragment holding one is looked up among the names by the
-- characters they contain.
CREATE INDEX ix_vipcard_name_chars ON vipcard USING gin (string_to_array(Name, NULL)) WHERE deleted = 0;

-- The member list and the card lookups count each card's introduced cards. Nearly
-- every card has no introducer (0), so only the others are indexed; a plain index
-- would leave PostgreSQL's planner expecting every card to match and scanning them.
CREATE INDEX ix_vipcard_introduced ON vipcard (JSVIPCardID) WHERE JSVIPCardID <> 0 AND deleted = 0;
