-- The start page's figures are aggregates over a million cards and a growing
-- ledger; each reads one narrow index instead of the whole table.

-- Live members and the stored value they hold. The index carries deleted too, so
-- SQLite answers from the index alone rather than visiting every card's row.
CREATE INDEX ix_vipcard_live_cz ON vipcard (Cz, deleted) WHERE deleted = 0;

-- A day's stored-value changes of one kind.
CREATE INDEX ix_vipczchange_date ON VipCzChange (ChangeDate, ChangeType);
