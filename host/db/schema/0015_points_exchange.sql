-- Posted points exchanges and the goods on hand they take from.

-- Goods on hand per warehouse (stock.rec) and product (ptype.rec), in ten-thousandths
-- of a unit like the quantities of the exchange rules. A goods exchange takes what it
-- gives away from here and is refused when the warehouse holds less.
CREATE TABLE GoodsStock (
    KRec INTEGER NOT NULL REFERENCES stock (rec),
    PRec INTEGER NOT NULL REFERENCES ptype (rec),
    Qty BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (KRec, PRec),
    CONSTRAINT ck_goodsstock_qty CHECK (Qty >= 0)
);

-- One row per posted exchange, keyed by its points change row: the bill code, the
-- store, the warehouse the goods left (goods), the account the price difference was
-- paid into (goods, shopping cards), the period, the money paid out or credited
-- (cash, stored value), the quantity handed out and the price difference paid. A
-- points change has at most one, so an exchange is never posted twice.
CREATE TABLE VipExchangeBill (
    BillID INTEGER NOT NULL PRIMARY KEY REFERENCES VipChangeInfo (BillId),
    BillCode VARCHAR(40) NOT NULL,
    PZBillCode VARCHAR(40) NOT NULL DEFAULT '',
    ChangeType INTEGER NOT NULL,
    PosId INTEGER NOT NULL DEFAULT 0,
    KRec INTEGER NOT NULL DEFAULT 0,
    ARec INTEGER NOT NULL DEFAULT 0,
    Period INTEGER NOT NULL DEFAULT 0,
    Total BIGINT NOT NULL DEFAULT 0,
    TotalQty BIGINT NOT NULL DEFAULT 0,
    DiffTotal BIGINT NOT NULL DEFAULT 0,
    Comment VARCHAR(255) NOT NULL DEFAULT '',
    PzComment VARCHAR(255) NOT NULL DEFAULT '',
    ERec INTEGER NOT NULL DEFAULT 0,
    BillDate TIMESTAMP NOT NULL
);
CREATE UNIQUE INDEX ux_vipexchangebill_code ON VipExchangeBill (BillCode);
