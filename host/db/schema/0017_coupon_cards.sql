-- What coupon cards are worth after use, what the head office is still to hear of
-- them, and where each kind's automatic numbers stand.

-- One row per use of a coupon card (a sale at the till paid or discounted with it):
-- the value before, taken (Total) and after. A card's UsedTotal is the sum of its
-- rows' Total and changes only together with a row here. Cash coupons spend their
-- value; discount cards and preferential coupons only count their uses (Total 0).
CREATE TABLE ETCUse (
    id {ID},
    ETCListID INTEGER NOT NULL REFERENCES ETCList (ID),
    UseDate TIMESTAMP NOT NULL,
    PosID INTEGER NOT NULL DEFAULT 0,
    BillCode VARCHAR(60) NOT NULL DEFAULT '',
    BeforeTotal BIGINT NOT NULL,
    Total BIGINT NOT NULL,
    AfterTotal BIGINT NOT NULL,
    ERec INTEGER NOT NULL DEFAULT 0,
    CONSTRAINT ck_etcuse_total CHECK (Total >= 0 AND AfterTotal = BeforeTotal - Total)
);
CREATE INDEX ix_etcuse_card ON ETCUse (ETCListID, UseDate);
CREATE INDEX ix_etcuse_date ON ETCUse (UseDate);

-- Coupon card changes waiting for the head-office link (activate, void, bind...):
-- the link's sender forwards each row and stamps SentAt.
CREATE TABLE ETCListUP (
    id {ID},
    ETCListID INTEGER NOT NULL REFERENCES ETCList (ID),
    UPType SMALLINT NOT NULL,
    Value VARCHAR(100) NOT NULL DEFAULT '',
    StartDate DATE,
    ERec INTEGER NOT NULL DEFAULT 0,
    PosID INTEGER NOT NULL DEFAULT 0,
    CreatedAt TIMESTAMP NOT NULL,
    SentAt TIMESTAMP
);
CREATE INDEX ix_etclistup_unsent ON ETCListUP (SentAt, id);

-- The last automatic number given per coupon kind.
CREATE TABLE ETCAutoCode (
    ETCType SMALLINT PRIMARY KEY,
    LastNo INTEGER NOT NULL DEFAULT 0
);
INSERT INTO ETCAutoCode (ETCType, LastNo) VALUES (1, 0);
INSERT INTO ETCAutoCode (ETCType, LastNo) VALUES (2, 0);
INSERT INTO ETCAutoCode (ETCType, LastNo) VALUES (3, 0);

CREATE INDEX ix_etclist_created ON ETCList (CreateDate);
