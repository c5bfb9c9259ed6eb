-- The member list: what its actions and columns need beyond the cards themselves.

-- Purchases at member prices, beside buyTotal (all purchases); the tills add to
-- both, the member list's points clear may set either back to zero.
ALTER TABLE vipcard ADD COLUMN hyBuyTotal BIGINT NOT NULL DEFAULT 0;

-- The introducer's count of introduced cards is read for every row of the list.
CREATE INDEX ix_vipcard_introducer ON vipcard (JSVIPCardID);

-- One row per card and points clear: the date the clear reached up to (the day it
-- ran for a clear of everything) and what it took off. A card is not cleared again
-- up to a date on or before one it was already cleared to.
CREATE TABLE VipClearJF (
    id {ID},
    Vipcardid INTEGER NOT NULL REFERENCES vipcard (id),
    ClearDate DATE NOT NULL,
    ClearedAll SMALLINT NOT NULL DEFAULT 0,
    Points INTEGER NOT NULL DEFAULT 0,
    BuyTotal BIGINT NOT NULL DEFAULT 0,
    HyBuyTotal BIGINT NOT NULL DEFAULT 0,
    PosId INTEGER NOT NULL DEFAULT 0,
    ERec INTEGER NOT NULL DEFAULT 0,
    ClearedAt TIMESTAMP NOT NULL
);
CREATE INDEX ix_vipclearjf_card ON VipClearJF (Vipcardid, ClearDate);
