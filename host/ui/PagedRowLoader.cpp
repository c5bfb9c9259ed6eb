#include "host/ui/PagedRowLoader.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"

#include <atomic>

namespace {

enum Kind { PageKind = 0, CountKind = 1 };

} // namespace

// What the reading thread owns: its connection, opened on the first read and closed
// in that thread, and the newest ticket of each kind.
struct PagedRowLoader::Worker {
    DbSetting setting;
    std::unique_ptr<Database> db;
    std::atomic<int> latest[2] = {0, 0};

    Database& connection() {
        if (!db)
            db = Database::open(setting);
        return *db;
    }
};

PagedRowLoader::PagedRowLoader(DbSetting setting, FailureTaker failed, QObject* parent)
    : QObject(parent)
    , m_worker(std::make_shared<Worker>())
    , m_failed(std::move(failed)) {
    m_worker->setting = std::move(setting);
    // One thread: reads queue behind each other on the one connection.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

PagedRowLoader::~PagedRowLoader() {
    Supersede();
    ++m_worker->latest[CountKind];
    std::shared_ptr<Worker> worker = m_worker;
    m_pool.start([worker] { worker->db.reset(); });
    m_pool.waitForDone();
}

void PagedRowLoader::Supersede() {
    ++m_worker->latest[PageKind];
}

void PagedRowLoader::deliver(int kind, int ticket, std::function<void()> answer) {
    // Posted to this object: an answer still queued when the loader goes is dropped with it.
    QMetaObject::invokeMethod(
        this,
        [this, kind, ticket, answer = std::move(answer)] {
            if (m_worker->latest[kind] == ticket)
                answer();
        },
        Qt::QueuedConnection);
}

void PagedRowLoader::RequestPage(const PagedListQuery& query, int offset, int count, PageTaker take) {
    const int ticket = ++m_worker->latest[PageKind];
    std::shared_ptr<Worker> worker = m_worker;
    m_pool.start([this, worker, query, offset, count, ticket, take = std::move(take)] {
        if (worker->latest[PageKind] != ticket)
            return;
        try {
            auto rows = std::make_shared<ClientDataSet>();
            query.Page(worker->connection(), offset, count, *rows);
            deliver(PageKind, ticket, [take, rows] { take(*rows); });
        } catch (const DbError& e) {
            deliver(PageKind, ticket, [this, message = e.message()] { m_failed(message); });
        }
    });
}

void PagedRowLoader::RequestCount(const PagedListQuery& query, CountTaker take) {
    const int ticket = ++m_worker->latest[CountKind];
    std::shared_ptr<Worker> worker = m_worker;
    m_pool.start([this, worker, query, ticket, take = std::move(take)] {
        if (worker->latest[CountKind] != ticket)
            return;
        try {
            const qint64 count = query.Count(worker->connection());
            deliver(CountKind, ticket, [take, count] { take(count); });
        } catch (const DbError& e) {
            deliver(CountKind, ticket, [this, message = e.message()] { m_failed(message); });
        }
    });
}
