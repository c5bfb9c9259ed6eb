#pragma once

class DataModule;
class Database;

// One unit of work: rolled back when the scope ends without Commit(), including
// when an exception leaves it. An inner Transaction nests inside an outer one and
// undoes only its own writes. It counts as finished only once its commit went
// through; a commit that fails has been undone by the connection and throws.
class Transaction {
public:
    explicit Transaction(DataModule& data);
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();
    void Rollback();

private:
    // Whether this transaction's level is still open on the connection: a failed
    // commit or a lost connection may have ended it already.
    bool levelOpen() const;

    Database& m_database;
    int m_level = 0;
    bool m_open = true;
};
