#include "tests/support/RunTogether.h"

#include "host/sdk/DbError.h"
#include "tests/support/TestDatabase.h"

#include <latch>
#include <mutex>
#include <thread>
#include <vector>

QStringList RunTogether(const TestDatabase& db, int writers,
                        const std::function<void(DataModule&, int)>& work) {
    QStringList errors;
    std::mutex guard;
    const auto record = [&](const QString& error) {
        const std::lock_guard<std::mutex> lock(guard);
        errors.append(error);
    };
    std::latch connected(writers);
    std::vector<std::thread> threads;
    for (int writer = 0; writer < writers; ++writer) {
        threads.emplace_back([&, writer] {
            std::unique_ptr<DataModule> data;
            try {
                data = db.openAnother();
            } catch (const DbError& e) {
                record(e.message());
            }
            connected.arrive_and_wait();
            if (!data)
                return;
            try {
                work(*data, writer);
            } catch (const DbError& e) {
                record(e.message());
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    return errors;
}
