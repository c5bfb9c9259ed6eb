-- Recharge and refund, and the stored-value password's guard against guessing.

-- Wrong stored-value passwords entered in a row, and the lock the fifth sets: a
-- locked card's stored value is neither spent, recharged nor refunded until an
-- administrator sets a new password in the member editor.
ALTER TABLE vipcard ADD COLUMN CzPassFails INTEGER NOT NULL DEFAULT 0;
ALTER TABLE vipcard ADD COLUMN CzPassLocked SMALLINT NOT NULL DEFAULT 0;

-- A recharge or refund records the account the money went through (atype.rec) and
-- the bill code the receipt prints as its linked voucher.
ALTER TABLE VipCzChange ADD COLUMN ARec INTEGER NOT NULL DEFAULT 0;
ALTER TABLE VipCzChange ADD COLUMN BillCode VARCHAR(30) NOT NULL DEFAULT '';
