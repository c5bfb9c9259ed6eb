-- Failed logins in a row per user; after too many the account stays locked until an
-- administrator unlocks it.
ALTER TABLE loginuser ADD COLUMN FailedLogins INTEGER NOT NULL DEFAULT 0;
ALTER TABLE loginuser ADD COLUMN Locked SMALLINT NOT NULL DEFAULT 0;
