-- Base schema of the back office and the member-card module.
-- Money and amounts are BIGINT counts of ten-thousandths (exact decimals with four
-- places); flags are SMALLINT 0/1; deleted rows stay with deleted = 1.

CREATE TABLE sysdata (
    SubName VARCHAR(60) NOT NULL PRIMARY KEY,
    SubValue VARCHAR(2000) NOT NULL DEFAULT ''
);

CREATE TABLE hostconfig (
    Name VARCHAR(60) NOT NULL PRIMARY KEY,
    Value VARCHAR(2000) NOT NULL DEFAULT ''
);

CREATE TABLE posinfo (
    posid {ID},
    PosCode VARCHAR(30) NOT NULL,
    PosName VARCHAR(60) NOT NULL,
    ConnectType SMALLINT NOT NULL DEFAULT 0,
    PosType SMALLINT NOT NULL DEFAULT 0,
    RowIndex INTEGER NOT NULL DEFAULT 0,
    Address VARCHAR(100) NOT NULL DEFAULT '',
    Tel VARCHAR(40) NOT NULL DEFAULT '',
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_posinfo_code ON posinfo (PosCode) WHERE deleted = 0;

CREATE TABLE posmachine (
    MachineId {ID},
    MachineCode VARCHAR(30) NOT NULL,
    MachineName VARCHAR(60) NOT NULL,
    PosId INTEGER NOT NULL REFERENCES posinfo (posid),
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_posmachine_code ON posmachine (MachineCode) WHERE deleted = 0;

CREATE TABLE employee (
    rec {ID},
    typeId VARCHAR(25) NOT NULL DEFAULT '',
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(60) NOT NULL,
    PosId INTEGER NOT NULL DEFAULT 0,
    Tel VARCHAR(40) NOT NULL DEFAULT '',
    deleted SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE loginuser (
    rec {ID},
    UserCode VARCHAR(30) NOT NULL,
    UserName VARCHAR(60) NOT NULL,
    PasswordSalt VARCHAR(32) NOT NULL,
    PasswordHash VARCHAR(128) NOT NULL,
    IsAdmin SMALLINT NOT NULL DEFAULT 0,
    EtypeRec INTEGER NOT NULL DEFAULT 0,
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_loginuser_code ON loginuser (UserCode) WHERE deleted = 0;

CREATE TABLE userlimit (
    UserRec INTEGER NOT NULL REFERENCES loginuser (rec),
    LimitNo INTEGER NOT NULL,
    PRIMARY KEY (UserRec, LimitNo)
);

CREATE TABLE userbilllimit (
    UserRec INTEGER NOT NULL REFERENCES loginuser (rec),
    BillKind INTEGER NOT NULL,
    LimitNo INTEGER NOT NULL,
    PRIMARY KEY (UserRec, BillKind, LimitNo)
);

CREATE TABLE syslog (
    id {ID},
    LogTime TIMESTAMP NOT NULL,
    UserRec INTEGER NOT NULL,
    Kind INTEGER NOT NULL,
    LogText VARCHAR(2000) NOT NULL,
    PosId INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ix_syslog_time ON syslog (LogTime);

CREATE TABLE noticeoutbox (
    id {ID},
    Channel VARCHAR(10) NOT NULL,
    Kind INTEGER NOT NULL DEFAULT 0,
    RecordId INTEGER NOT NULL DEFAULT 0,
    ByCard SMALLINT NOT NULL DEFAULT 0,
    Arg1 INTEGER NOT NULL DEFAULT 0,
    Arg2 INTEGER NOT NULL DEFAULT 0,
    Arg3 INTEGER NOT NULL DEFAULT 0,
    Arg4 INTEGER NOT NULL DEFAULT 0,
    Arg5 INTEGER NOT NULL DEFAULT 0,
    CardNo VARCHAR(30) NOT NULL DEFAULT '',
    Text1 VARCHAR(500) NOT NULL DEFAULT '',
    Text2 VARCHAR(500) NOT NULL DEFAULT '',
    CreatedAt TIMESTAMP NOT NULL,
    SentAt TIMESTAMP
);

CREATE TABLE atype (
    rec {ID},
    typeId VARCHAR(25) NOT NULL,
    parid VARCHAR(25) NOT NULL DEFAULT '',
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(60) NOT NULL,
    deleted SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE btype (
    rec {ID},
    typeId VARCHAR(25) NOT NULL,
    parid VARCHAR(25) NOT NULL DEFAULT '',
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(100) NOT NULL,
    Tel VARCHAR(40) NOT NULL DEFAULT '',
    deleted SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE stock (
    rec {ID},
    typeId VARCHAR(25) NOT NULL,
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(60) NOT NULL,
    PosId INTEGER NOT NULL DEFAULT 0,
    deleted SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE pricelist (
    PriceMode INTEGER NOT NULL PRIMARY KEY,
    PriceName VARCHAR(30) NOT NULL
);

CREATE TABLE ptype (
    rec {ID},
    typeId VARCHAR(25) NOT NULL,
    parid VARCHAR(25) NOT NULL DEFAULT '',
    sonnum INTEGER NOT NULL DEFAULT 0,
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(100) NOT NULL,
    Standard VARCHAR(60) NOT NULL DEFAULT '',
    Unit VARCHAR(10) NOT NULL DEFAULT '',
    BarCode VARCHAR(60) NOT NULL DEFAULT '',
    RetailPrice BIGINT NOT NULL DEFAULT 0,
    -- Bit set; bit 1 (value 2) allows the member price.
    flags INTEGER NOT NULL DEFAULT 0,
    StopSale SMALLINT NOT NULL DEFAULT 0,
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_ptype_typeid ON ptype (typeId);

CREATE TABLE ptypeprice (
    PtypeRec INTEGER NOT NULL REFERENCES ptype (rec),
    PriceMode INTEGER NOT NULL REFERENCES pricelist (PriceMode),
    Price BIGINT NOT NULL DEFAULT 0,
    PRIMARY KEY (PtypeRec, PriceMode)
);

CREATE TABLE BaseInfoProperty (
    rec {ID},
    typeid VARCHAR(25) NOT NULL,
    parid INTEGER NOT NULL DEFAULT 0,
    UserCode VARCHAR(30) NOT NULL,
    FullName VARCHAR(60) NOT NULL,
    IDFlag INTEGER NOT NULL DEFAULT 1,
    deleted SMALLINT NOT NULL DEFAULT 0
);

CREATE TABLE viptype (
    CTypeId {ID},
    TypeName VARCHAR(20) NOT NULL,
    Comment VARCHAR(50) NOT NULL DEFAULT '',
    RepeatNum INTEGER NOT NULL DEFAULT 0,
    IfVipPrice SMALLINT NOT NULL DEFAULT 1,
    AutoDiscount SMALLINT NOT NULL DEFAULT 0,
    IfVipPriceDisCount SMALLINT NOT NULL DEFAULT 1,
    IfPromotionPriceDisCount SMALLINT NOT NULL DEFAULT 1,
    vipPriceType INTEGER NOT NULL DEFAULT 17,
    Discount DOUBLE PRECISION NOT NULL DEFAULT 100,
    FixedDiscount SMALLINT NOT NULL DEFAULT 0,
    automembertotal SMALLINT NOT NULL DEFAULT 0,
    UsePtypeDisCount SMALLINT NOT NULL DEFAULT 0,
    IsSaleLimit SMALLINT NOT NULL DEFAULT 1,
    AutoIntegral SMALLINT NOT NULL DEFAULT 1,
    FixedIntegral SMALLINT NOT NULL DEFAULT 1,
    TimesIntegral SMALLINT NOT NULL DEFAULT 0,
    StepIntegral SMALLINT NOT NULL DEFAULT 0,
    PtypeIntegral SMALLINT NOT NULL DEFAULT 0,
    PtypePTIntegral SMALLINT NOT NULL DEFAULT 0,
    CanUseRemainTotal SMALLINT NOT NULL DEFAULT 0,
    EsPriceNotIntegral SMALLINT NOT NULL DEFAULT 0,
    ClearIntegral SMALLINT NOT NULL DEFAULT 0,
    ClearCycle INTEGER NOT NULL DEFAULT 0,
    ChangeIntegralPos INTEGER NOT NULL DEFAULT -1,
    CZIntegerType SMALLINT NOT NULL DEFAULT 0,
    IsCZPreferential SMALLINT NOT NULL DEFAULT 0,
    IsCZService SMALLINT NOT NULL DEFAULT 0,
    IsOnlyJS SMALLINT NOT NULL DEFAULT 0,
    IsIntroduceJS SMALLINT NOT NULL DEFAULT 0,
    IntroduceJSLimitNum INTEGER NOT NULL DEFAULT 0,
    LimitDays INTEGER NOT NULL DEFAULT 0,
    IntroducerJSgainType SMALLINT NOT NULL DEFAULT 0,
    IntroducerJS DOUBLE PRECISION NOT NULL DEFAULT 0,
    NewMemberJS DOUBLE PRECISION NOT NULL DEFAULT 0,
    IntroducerJSfirstPer DOUBLE PRECISION NOT NULL DEFAULT 0,
    IntroducerJSPer DOUBLE PRECISION NOT NULL DEFAULT 0,
    UseVipDay SMALLINT NOT NULL DEFAULT 0,
    VIPDayOrder SMALLINT NOT NULL DEFAULT 0,
    MonthDayList VARCHAR(200) NOT NULL DEFAULT '',
    DayList VARCHAR(50) NOT NULL DEFAULT '',
    XIntegral DOUBLE PRECISION NOT NULL DEFAULT 0,
    vipdayDisCount INTEGER NOT NULL DEFAULT 0,
    UseDisAndVipPrice SMALLINT NOT NULL DEFAULT 0,
    UseVipPrice SMALLINT NOT NULL DEFAULT 0,
    WeekVIPDayXIntegral DOUBLE PRECISION NOT NULL DEFAULT 0,
    WeekVIPDayDisCount INTEGER NOT NULL DEFAULT 0,
    WeekVIPDayUseDis SMALLINT NOT NULL DEFAULT 0,
    WeekVIPDayUseVipPrice SMALLINT NOT NULL DEFAULT 0,
    NotVIPDayFlags INTEGER NOT NULL DEFAULT 0,
    usebirthday SMALLINT NOT NULL DEFAULT 0,
    BirthdyDisCount INTEGER NOT NULL DEFAULT 0,
    BirthdyXIntegral DOUBLE PRECISION NOT NULL DEFAULT 0,
    BirthdyMontyDisCount INTEGER NOT NULL DEFAULT 0,
    BirthdyMonthXIntegral DOUBLE PRECISION NOT NULL DEFAULT 0,
    useintegral INTEGER NOT NULL DEFAULT 0,
    PosRange SMALLINT NOT NULL DEFAULT 0,
    CanAllPos SMALLINT NOT NULL DEFAULT 1,
    PosNames VARCHAR(2000) NOT NULL DEFAULT '',
    -- Upgrade and downgrade order; 0 takes no part, a smaller number is a lower grade.
    Grade INTEGER NOT NULL DEFAULT 0,
    MD BIGINT NOT NULL DEFAULT 0,
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_viptype_name ON viptype (TypeName) WHERE deleted = 0;

-- Rule rows of a card type by DisType. Bounds, base and what a row grants (points,
-- or the gift amount of stored-value rows) are ten-thousandths like money, so a
-- fractional number of points per base stays exact.
CREATE TABLE vipAutoDiscount (
    id {ID},
    VipTypeId INTEGER NOT NULL REFERENCES viptype (CTypeId),
    DisType SMALLINT NOT NULL,
    BuyToTalBegin BIGINT NOT NULL DEFAULT 0,
    BuyTotalEnd BIGINT NOT NULL DEFAULT 0,
    Discount DOUBLE PRECISION NOT NULL DEFAULT 0,
    IntegralQuotiety BIGINT NOT NULL DEFAULT 0,
    Integral BIGINT NOT NULL DEFAULT 0,
    Comment VARCHAR(100) NOT NULL DEFAULT '',
    prec INTEGER NOT NULL DEFAULT 0,
    -- Upgrade (DisType 8) and downgrade (DisType 9) thresholds of a graded type.
    SCumulativeMoney BIGINT NOT NULL DEFAULT 0,
    SCumulativeIntegral INTEGER NOT NULL DEFAULT 0,
    StoreMoney BIGINT NOT NULL DEFAULT 0,
    JCycle INTEGER NOT NULL DEFAULT 0,
    ComsuLower BIGINT NOT NULL DEFAULT 0,
    IntegralLower INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ix_vipautodiscount_type ON vipAutoDiscount (VipTypeId, DisType);

CREATE TABLE PosVipType (
    PosID INTEGER NOT NULL REFERENCES posinfo (posid),
    viptype INTEGER NOT NULL REFERENCES viptype (CTypeId),
    PRIMARY KEY (PosID, viptype)
);

CREATE TABLE vipcard (
    id {ID},
    cardid VARCHAR(40) NOT NULL,
    CardNo VARCHAR(30) NOT NULL,
    VIPBarCode VARCHAR(60) NOT NULL DEFAULT '',
    Name VARCHAR(50) NOT NULL DEFAULT '',
    Tel VARCHAR(40) NOT NULL DEFAULT '',
    Address VARCHAR(50) NOT NULL DEFAULT '',
    IdentityCard VARCHAR(18) NOT NULL DEFAULT '',
    "E-Mail" VARCHAR(60) NOT NULL DEFAULT '',
    sex SMALLINT NOT NULL DEFAULT 0,
    Birthday VARCHAR(10) NOT NULL DEFAULT '',
    BirthdayCN VARCHAR(10) NOT NULL DEFAULT '',
    BirthType SMALLINT NOT NULL DEFAULT 0,
    IsLeapMonth SMALLINT NOT NULL DEFAULT 0,
    Comment VARCHAR(200) NOT NULL DEFAULT '',
    MediFeedback VARCHAR(200) NOT NULL DEFAULT '',
    "Case" VARCHAR(200) NOT NULL DEFAULT '',
    -- Pinyin initials of the holder's name, for the quick search at the till.
    PYZJM VARCHAR(50) NOT NULL DEFAULT '',
    CardType INTEGER NOT NULL REFERENCES viptype (CTypeId),
    Discount DOUBLE PRECISION NOT NULL DEFAULT 100,
    AutoDiscount SMALLINT NOT NULL DEFAULT 0,
    AutoMemberTotal SMALLINT NOT NULL DEFAULT 0,
    AutoOneOff SMALLINT NOT NULL DEFAULT 0,
    AutoIntegral SMALLINT NOT NULL DEFAULT 0,
    BulidDate DATE NOT NULL,
    ValidityDate DATE NOT NULL,
    ClearDate TIMESTAMP,
    Lose SMALLINT NOT NULL DEFAULT 0,
    StopUse SMALLINT NOT NULL DEFAULT 0,
    IsLife INTEGER NOT NULL DEFAULT 0,
    IsUse INTEGER NOT NULL DEFAULT 0,
    btypeid INTEGER NOT NULL DEFAULT 0,
    JSVIPCardID INTEGER NOT NULL DEFAULT 0,
    IsJSReward INTEGER NOT NULL DEFAULT 0,
    PosId INTEGER NOT NULL DEFAULT 0,
    ActivatePosId INTEGER NOT NULL DEFAULT -1,
    CreatePosId INTEGER NOT NULL DEFAULT 0,
    Creator INTEGER NOT NULL DEFAULT 0,
    VipCz SMALLINT NOT NULL DEFAULT 0,
    VipCzService SMALLINT NOT NULL DEFAULT 0,
    Cz00 BIGINT NOT NULL DEFAULT 0,
    CzTotal BIGINT NOT NULL DEFAULT 0,
    Cz BIGINT NOT NULL DEFAULT 0,
    UsePass SMALLINT NOT NULL DEFAULT 0,
    Password VARCHAR(6) NOT NULL DEFAULT '',
    buyTotal BIGINT NOT NULL DEFAULT 0,
    ljIntegral INTEGER NOT NULL DEFAULT 0,
    IntegralTotal INTEGER NOT NULL DEFAULT 0,
    -- Purchase amount below one points unit, carried to the next purchase when the type allows it.
    RemainTotal BIGINT NOT NULL DEFAULT 0,
    deleted SMALLINT NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX ux_vipcard_cardid ON vipcard (cardid);
CREATE UNIQUE INDEX ux_vipcard_cardno ON vipcard (CardNo) WHERE deleted = 0;
CREATE UNIQUE INDEX ux_vipcard_barcode ON vipcard (VIPBarCode) WHERE deleted = 0 AND VIPBarCode <> '';
CREATE INDEX ix_vipcard_type ON vipcard (CardType);
CREATE INDEX ix_vipcard_tel ON vipcard (Tel);
CREATE INDEX ix_vipcard_identity ON vipcard (IdentityCard);

CREATE TABLE VipChangeInfo (
    BillId {ID},
    Vipcardid INTEGER NOT NULL REFERENCES vipcard (id),
    ChangeType INTEGER NOT NULL,
    ChangeTotal INTEGER NOT NULL DEFAULT 0,
    Czxf BIGINT NOT NULL DEFAULT 0,
    Total INTEGER NOT NULL DEFAULT 0,
    Memo VARCHAR(200) NOT NULL DEFAULT '',
    OfferCardID INTEGER NOT NULL DEFAULT 0,
    PosId INTEGER NOT NULL DEFAULT 0,
    ERec INTEGER NOT NULL DEFAULT 0,
    ChangeDate TIMESTAMP NOT NULL
);
CREATE INDEX ix_vipchangeinfo_card ON VipChangeInfo (Vipcardid, ChangeType);
