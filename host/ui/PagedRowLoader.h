#pragma once

#include "host/data/DbSetting.h"
#include "host/db/queries/PagedListQuery.h"

#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>

// Reads the pages and the row count of a paged list on a thread of its own, over a
// connection of its own, so a sort or a search through a million rows never holds
// up the desktop. Only the latest request of each kind counts: one overtaken before
// it started is never run, and the answer of one overtaken while it ran is dropped.
// Answers and failures arrive in the thread that made the loader, as events.
class PagedRowLoader final : public QObject {
    Q_OBJECT

public:
    using PageTaker = std::function<void(ClientDataSet&)>;
    using CountTaker = std::function<void(qint64)>;
    using FailureTaker = std::function<void(const QString&)>;

    PagedRowLoader(DbSetting setting, FailureTaker failed, QObject* parent = nullptr);
    // Waits for a read in progress to end; its answer is dropped.
    ~PagedRowLoader() override;

    void RequestPage(const PagedListQuery& query, int offset, int count, PageTaker take);
    void RequestCount(const PagedListQuery& query, CountTaker take);
    // Drops the answers of every page asked for so far (a read on the window's own
    // connection has replaced the rows they were for).
    void Supersede();

private:
    struct Worker;
    void deliver(int kind, int ticket, std::function<void()> answer);
    std::shared_ptr<Worker> m_worker;
    FailureTaker m_failed;
    QThreadPool m_pool;
};
