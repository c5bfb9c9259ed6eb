#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class DataModule;

// The pictures kept for a record, by kind of record and record id. A record's
// pictures are read and replaced as a whole, in the order they were given.
class PictureStore {
public:
    struct Picture {
        QString fileName; // the name it was added under, without its folder
        QByteArray image; // the file's bytes as they were read
    };

    explicit PictureStore(DataModule& data)
        : m_data(data) {}

    QList<Picture> Load(int kind, int recordId);
    // Runs inside the caller's open transaction, so the pictures go with the
    // record or not at all.
    void Save(int kind, int recordId, const QList<Picture>& pictures);

private:
    DataModule& m_data;
};
