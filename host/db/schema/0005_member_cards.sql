-- Member cards as the editor writes them: the stored-value ledger, the salted hash
-- of the stored-value password, introducer rewards by pair of card types, the field
-- configuration of the editor and the custom fields with their values.

-- The stored-value password is kept only as a salted hash; vipcard.Password stays
-- empty.
ALTER TABLE vipcard ADD COLUMN PasswordHash VARCHAR(128) NOT NULL DEFAULT '';

-- Every movement of a card's stored value. Amount (paid in or out) and Gift (given
-- by the shop) are signed ten-thousandths like vipcard's money; BalanceAfter is the
-- card's Cz once the row applied. A card's Cz is the sum of Amount + Gift of its
-- rows, CzTotal the same sum over the deposit kinds (opening, carried over,
-- recharge, refund) and Cz00 the sum of Amount over its opening rows. OpId is the
-- operation id of the save that wrote the row: a retried save finds it and applies
-- nothing.
CREATE TABLE VipCzChange (
    id {ID},
    Vipcardid INTEGER NOT NULL REFERENCES vipcard (id),
    ChangeType INTEGER NOT NULL,
    Amount BIGINT NOT NULL DEFAULT 0,
    Gift BIGINT NOT NULL DEFAULT 0,
    BalanceAfter BIGINT NOT NULL,
    OpId VARCHAR(60) NOT NULL,
    PosId INTEGER NOT NULL DEFAULT 0,
    ERec INTEGER NOT NULL DEFAULT 0,
    ChangeDate TIMESTAMP NOT NULL,
    Memo VARCHAR(200) NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ux_vipczchange_opid ON VipCzChange (OpId);
CREATE INDEX ix_vipczchange_card ON VipCzChange (Vipcardid, id);

-- Cards that held stored value before the ledger start it with their opening
-- balance (30) and, for what was spent or given since, one carried-over row (31).
INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, Gift, BalanceAfter, OpId, PosId, ChangeDate, Memo)
SELECT id, 30, Cz00, CzTotal - Cz00, CzTotal, 'opening-' || CAST(id AS VARCHAR(20)), PosId, CURRENT_TIMESTAMP,
       '期初储值'
FROM vipcard WHERE Cz00 <> 0 OR CzTotal <> 0;
INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, Gift, BalanceAfter, OpId, PosId, ChangeDate, Memo)
SELECT id, 31, Cz - CzTotal, 0, Cz, 'carried-' || CAST(id AS VARCHAR(20)), PosId, CURRENT_TIMESTAMP,
       '储值结转'
FROM vipcard WHERE Cz <> CzTotal;

-- Introducer rewards by the new member's card type (IntroducerJSgainType 1 of the
-- introducer's type); with IntroducerJSgainType 0 the type's own columns apply.
CREATE TABLE VipIntroducerJS (
    CTypeId INTEGER NOT NULL REFERENCES viptype (CTypeId),
    newCTypeId INTEGER NOT NULL REFERENCES viptype (CTypeId),
    IntroducerJS DOUBLE PRECISION NOT NULL DEFAULT 0,
    NewMemberJS DOUBLE PRECISION NOT NULL DEFAULT 0,
    IntroducerJSfirstPer DOUBLE PRECISION NOT NULL DEFAULT 0,
    IntroducerJSPer DOUBLE PRECISION NOT NULL DEFAULT 0,
    PRIMARY KEY (CTypeId, newCTypeId)
);

-- Which fields of a record's editor are shown and required, by kind of record
-- (IDFlag 6: member cards).
CREATE TABLE BaseInfoShowList (
    IDFlag INTEGER NOT NULL,
    FieldName VARCHAR(30) NOT NULL,
    Visible SMALLINT NOT NULL DEFAULT 1,
    MustField SMALLINT NOT NULL DEFAULT 0,
    RowIndex INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (IDFlag, FieldName)
);
INSERT INTO BaseInfoShowList (IDFlag, FieldName, Visible, MustField, RowIndex) VALUES
    (6, 'VIPBarCode', 1, 0, 1), (6, 'Name', 1, 0, 2), (6, 'Tel', 1, 0, 3), (6, 'Birthday', 1, 0, 4),
    (6, 'Identitycard', 1, 0, 5), (6, 'Sex', 1, 0, 6), (6, 'jsVIPCard', 1, 0, 7), (6, 'BRec', 1, 0, 8),
    (6, 'Email', 1, 0, 9), (6, 'addr', 1, 0, 10);

-- Fields a chain adds to a kind of record (IDFlag 6: member cards), in RowIndex
-- order; DataType 0 text, 1 integer, 2 number. The n-th definition's value is
-- column C(n-1) of the record's VipCustomFields row.
CREATE TABLE CustomFieldsDefine (
    id {ID},
    idflag INTEGER NOT NULL,
    Name VARCHAR(50) NOT NULL,
    MustField SMALLINT NOT NULL DEFAULT 0,
    DataType SMALLINT NOT NULL DEFAULT 0,
    RowIndex INTEGER NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_customfieldsdefine_name ON CustomFieldsDefine (idflag, Name);

CREATE TABLE VipCustomFields (
    IDflag INTEGER NOT NULL,
    cardid INTEGER NOT NULL,
    C0 VARCHAR(50) NOT NULL DEFAULT '',
    C1 VARCHAR(50) NOT NULL DEFAULT '',
    C2 VARCHAR(50) NOT NULL DEFAULT '',
    C3 VARCHAR(50) NOT NULL DEFAULT '',
    C4 VARCHAR(50) NOT NULL DEFAULT '',
    C5 VARCHAR(50) NOT NULL DEFAULT '',
    C6 VARCHAR(50) NOT NULL DEFAULT '',
    C7 VARCHAR(50) NOT NULL DEFAULT '',
    C8 VARCHAR(50) NOT NULL DEFAULT '',
    C9 VARCHAR(50) NOT NULL DEFAULT '',
    C10 VARCHAR(50) NOT NULL DEFAULT '',
    C11 VARCHAR(50) NOT NULL DEFAULT '',
    C12 VARCHAR(50) NOT NULL DEFAULT '',
    C13 VARCHAR(50) NOT NULL DEFAULT '',
    C14 VARCHAR(50) NOT NULL DEFAULT '',
    C15 VARCHAR(50) NOT NULL DEFAULT '',
    C16 VARCHAR(50) NOT NULL DEFAULT '',
    C17 VARCHAR(50) NOT NULL DEFAULT '',
    C18 VARCHAR(50) NOT NULL DEFAULT '',
    C19 VARCHAR(50) NOT NULL DEFAULT '',
    PRIMARY KEY (IDflag, cardid)
);

-- The creation and introducer rows the editor's notices look up.
CREATE INDEX ix_vipchangeinfo_offer ON VipChangeInfo (OfferCardID);
