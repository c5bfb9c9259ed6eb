-- Service items sold to members as counted uses (a course of ten treatments), their
-- purchase ladders, and what each card holds of them.

-- A service item is a product with a row here; the product's record number is the
-- item's id everywhere (rules, holdings, ledger, list key). startTimes is the least
-- a member may buy at once (-1 stored for none); oncePrice the list price of one use;
-- discountType 1 gives the gift uses per multiple of a rule's count, 2 once.
CREATE TABLE VipService (
    prec INTEGER PRIMARY KEY REFERENCES ptype (rec),
    startTimes INTEGER NOT NULL DEFAULT 1,
    oncePrice BIGINT NOT NULL DEFAULT 0,
    discountType SMALLINT NOT NULL DEFAULT 1,
    ERec INTEGER NOT NULL DEFAULT 0,
    CreatedAt TIMESTAMP NOT NULL
);

-- The ladder: from buyTimes uses on, a use costs oncePrice, the sale gives gainTimes
-- more (-1 none) and the uses last ValidityDays days (-1 without end).
CREATE TABLE VipServiceRule (
    id {ID},
    prec INTEGER NOT NULL REFERENCES VipService (prec),
    buyTimes INTEGER NOT NULL,
    oncePrice BIGINT NOT NULL DEFAULT 0,
    gainTimes INTEGER NOT NULL DEFAULT -1,
    ValidityDays INTEGER NOT NULL DEFAULT -1
);
CREATE INDEX ix_vipservicerule_prec ON VipServiceRule (prec, buyTimes);

-- What a card holds of an item, one row per lot: the uses of one sale share its
-- expiry (ValidityPeriod, the last day the uses may be spent; NULL without end), so
-- two sales of the same item with different expiries are two rows. remainTimes and
-- Total (the money still standing behind those uses) are kept only by the service
-- ledger and always equal the sums of the lot's rows in VipServiceChange.
CREATE TABLE vipCardService (
    id {ID},
    VipCardId INTEGER NOT NULL REFERENCES vipcard (id),
    prec INTEGER NOT NULL REFERENCES VipService (prec),
    remainTimes INTEGER NOT NULL DEFAULT 0,
    Total BIGINT NOT NULL DEFAULT 0,
    ValidityPeriod DATE,
    CONSTRAINT ck_vipcardservice_times CHECK (remainTimes >= 0)
);
CREATE INDEX ix_vipcardservice_card ON vipCardService (VipCardId, prec);

-- Every movement of uses: sale (25, the bought and the gift uses), consumption (26),
-- uses added (28) or removed (29) by hand. Times and Total are signed; a sale's gift
-- uses come in GainTimes (also counted in Times). BillId groups the rows of one save,
-- whose bill code the receipt prints; OpId is unique per row so a retried save writes
-- nothing twice.
CREATE TABLE VipServiceChange (
    id {ID},
    ServiceId INTEGER NOT NULL REFERENCES vipCardService (id),
    VipCardId INTEGER NOT NULL REFERENCES vipcard (id),
    prec INTEGER NOT NULL REFERENCES VipService (prec),
    ChangeType INTEGER NOT NULL,
    Times INTEGER NOT NULL,
    GainTimes INTEGER NOT NULL DEFAULT 0,
    OncePrice BIGINT NOT NULL DEFAULT 0,
    Total BIGINT NOT NULL DEFAULT 0,
    RemainAfter INTEGER NOT NULL,
    BillId INTEGER NOT NULL DEFAULT 0,
    BillCode VARCHAR(30) NOT NULL DEFAULT '',
    OpId VARCHAR(60) NOT NULL,
    ARec INTEGER NOT NULL DEFAULT 0,
    PosId INTEGER NOT NULL DEFAULT 0,
    ERec INTEGER NOT NULL DEFAULT 0,
    ChangeDate TIMESTAMP NOT NULL,
    Comment VARCHAR(255) NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ux_vipservicechange_opid ON VipServiceChange (OpId);
CREATE INDEX ix_vipservicechange_card ON VipServiceChange (VipCardId, prec, ChangeDate);
CREATE INDEX ix_vipservicechange_lot ON VipServiceChange (ServiceId);

-- The rows of a service sale or consumption being saved, staged under the save's
-- batch id (a GUID) before the main call applies them all in one go.
CREATE TABLE VipCzSrvDetailTmp (
    id VARCHAR(40) NOT NULL,
    ordId INTEGER NOT NULL,
    pRec INTEGER NOT NULL,
    buyTimes INTEGER NOT NULL,
    oncePrice BIGINT NOT NULL DEFAULT 0,
    gainTimes INTEGER NOT NULL DEFAULT -1,
    ValidityPeriod DATE,
    PRIMARY KEY (id, ordId)
);
