-- Coupon types and coupon cards ("购物卡"), and what a card type's points buy.

-- A coupon type: kind (TYPE 1 cash, 2 discount, 3 preferential), the value its cards
-- carry (RangLimit: an amount, a discount or a preferential ratio or amount, in
-- ten-thousandths like money), its limits and its Flags bit set. VIPType and TPosID
-- are comma lists of card type ids and store ids (empty: all). Enabled 1 in use,
-- 0 deleted, 3 voided.
CREATE TABLE ETCType (
    ID {ID},
    TYPE SMALLINT NOT NULL,
    NAME VARCHAR(60) NOT NULL,
    Comment VARCHAR(255) NOT NULL DEFAULT '',
    Flags INTEGER NOT NULL DEFAULT 0,
    SaleStart BIGINT NOT NULL DEFAULT 0,
    UseCount INTEGER NOT NULL DEFAULT 0,
    UseLimit INTEGER NOT NULL DEFAULT 1,
    RangLimit BIGINT NOT NULL DEFAULT 0,
    RangType SMALLINT NOT NULL DEFAULT 0,
    VIPType VARCHAR(1000) NOT NULL DEFAULT '',
    VallidityType SMALLINT NOT NULL DEFAULT 0,
    VallidityDate DATE,
    VallidityDay INTEGER NOT NULL DEFAULT 0,
    TPosID VARCHAR(1000) NOT NULL DEFAULT '',
    TPosName VARCHAR(2000) NOT NULL DEFAULT '',
    IntegerType SMALLINT NOT NULL DEFAULT 0,
    Enabled SMALLINT NOT NULL DEFAULT 1,
    ERec INTEGER NOT NULL DEFAULT 0,
    CreatedAt TIMESTAMP NOT NULL,
    CONSTRAINT ck_etctype_kind CHECK (TYPE IN (1, 2, 3))
);
CREATE INDEX ix_etctype_kind ON ETCType (TYPE, Enabled);

-- The goods a type's cards may pay for when only some goods are valid.
CREATE TABLE ETCTypeGoods (
    id INTEGER NOT NULL REFERENCES ETCType (ID),
    Type SMALLINT NOT NULL,
    PTypeID VARCHAR(25) NOT NULL,
    PRIMARY KEY (id, PTypeID)
);

-- A coupon card. Flag 0 not yet activated, 1 activated, 3 voided; IsStop 1 stopped;
-- Used 1 used up. Total is the value the card was given, UsedTotal what has been
-- spent of it. VIPID/VIPCode name the bound member card (0 and '' unbound). Flags and
-- VIPType are the type's at issue. A deleted card keeps its row (deleted 1) so its
-- number may be issued again; live numbers are unique.
CREATE TABLE ETCList (
    ID {ID},
    ETCID INTEGER NOT NULL REFERENCES ETCType (ID),
    ETCType SMALLINT NOT NULL,
    CardNo VARCHAR(60) NOT NULL,
    VIPID INTEGER NOT NULL DEFAULT 0,
    VIPCode VARCHAR(100) NOT NULL DEFAULT '',
    CreateERec INTEGER NOT NULL DEFAULT 0,
    CreateDate TIMESTAMP NOT NULL,
    Flag SMALLINT NOT NULL DEFAULT 0,
    Total BIGINT NOT NULL DEFAULT 0,
    UsedTotal BIGINT NOT NULL DEFAULT 0,
    UsedCount INTEGER NOT NULL DEFAULT 0,
    StartDate DATE,
    EndDate DATE,
    LPosID VARCHAR(1000) NOT NULL DEFAULT '',
    LPosName VARCHAR(2000) NOT NULL DEFAULT '',
    Used SMALLINT NOT NULL DEFAULT 0,
    IsStop SMALLINT NOT NULL DEFAULT 0,
    Flags INTEGER NOT NULL DEFAULT 0,
    VIPType VARCHAR(1000) NOT NULL DEFAULT '',
    deleted SMALLINT NOT NULL DEFAULT 0,
    CONSTRAINT ck_etclist_flag CHECK (Flag IN (0, 1, 3)),
    CONSTRAINT ck_etclist_used CHECK (UsedTotal >= 0)
);
CREATE UNIQUE INDEX ux_etclist_cardno ON ETCList (CardNo) WHERE deleted = 0;
CREATE INDEX ix_etclist_type ON ETCList (ETCID, Flag);
CREATE INDEX ix_etclist_vip ON ETCList (VIPID);

-- What a card type's points buy: one row per rule, rules saved together share a
-- groupId. ChangeType is the exchange way (7 cash, 8 stored value, 9 goods, 13 coupon
-- cards); UseIntegral the points one unit costs; exchangeNum what a unit gives (money
-- or a quantity, in ten-thousandths); diffprice the price difference paid per item.
-- deleted 0 live, 1 deleted, 151110 while its group is being replaced.
CREATE TABLE IntegralexchangeSet (
    ExChangeID {ID},
    groupId VARCHAR(40) NOT NULL,
    groupOrdId INTEGER NOT NULL DEFAULT 0,
    CTypeId INTEGER NOT NULL REFERENCES viptype (CTypeId),
    ChangeType INTEGER NOT NULL,
    PRec INTEGER NOT NULL DEFAULT 0,
    UseIntegral INTEGER NOT NULL,
    exchangeNum BIGINT NOT NULL DEFAULT 0,
    diffprice BIGINT NOT NULL DEFAULT 0,
    ETCID INTEGER NOT NULL DEFAULT 0,
    SDate DATE NOT NULL,
    EDate DATE NOT NULL,
    Memo VARCHAR(255) NOT NULL DEFAULT '',
    IsCzAuto SMALLINT NOT NULL DEFAULT 0,
    ERec INTEGER NOT NULL DEFAULT 0,
    deleted INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ix_integralexchangeset_type ON IntegralexchangeSet (CTypeId, ChangeType, deleted);
CREATE INDEX ix_integralexchangeset_group ON IntegralexchangeSet (groupId);

-- The rules an exchange used, one row per rule and exchange: BillID is the points
-- change row (VipChangeInfo.BillId) the exchange wrote; Comment lists the coupon card
-- numbers handed out for the rule.
CREATE TABLE vipchangeexchange (
    id {ID},
    BillID INTEGER NOT NULL REFERENCES VipChangeInfo (BillId),
    ExChangeID INTEGER NOT NULL REFERENCES IntegralexchangeSet (ExChangeID),
    ExChangeNum INTEGER NOT NULL,
    Prec INTEGER NOT NULL DEFAULT 0,
    DiffTotal BIGINT NOT NULL DEFAULT 0,
    Comment VARCHAR(2000) NOT NULL DEFAULT ''
);
CREATE INDEX ix_vipchangeexchange_bill ON vipchangeexchange (BillID);
CREATE INDEX ix_vipchangeexchange_rule ON vipchangeexchange (ExChangeID);
