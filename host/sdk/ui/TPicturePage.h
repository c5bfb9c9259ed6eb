#pragma once

#include "host/sdk/PictureStore.h"

#include <QWidget>

class QListWidget;
class QPushButton;

// A page of a record's pictures, shown as thumbnails: "添加图片" reads an image file
// the user picks, "删除图片" takes the selected one off. Nothing is written until
// the owner saves the record and calls Save inside its transaction.
class TPicturePage : public QWidget {
    Q_OBJECT

public:
    // What the owner opened the page for. A card being issued keeps what is already
    // on file for it: there only pictures added since the page was loaded may be
    // taken off again; changing a record lets the user remove any of its pictures.
    enum Mode {
        IssueAction = 1,   // a card issued by the card-issue action
        EditRecord = 2,    // a new record, or one changed from its list
        IssueByNumber = 4, // a card that exists unissued, found by its number
    };
    static constexpr qint64 MaxFileSize = 2 * 1024 * 1024;

    explicit TPicturePage(QWidget* parent = nullptr);

    void SetMode(int mode) {
        m_mode = mode;
        updateButtons();
    }
    // Shows the record's stored pictures in place of what the page held.
    void Load(int kind, int recordId);
    // Replaces the record's stored pictures with the page's; nothing is written
    // when the page is as it was loaded.
    void Save(int kind, int recordId);
    // Empties the page for a record that has no pictures yet.
    void Clear();
    int Count() const { return int(m_pictures.size()); }

private:
    struct Shown {
        PictureStore::Picture picture;
        bool stored = false; // was on file when the page was loaded
    };

    void OnAdd();
    void OnDelete();
    void showPictures();
    void updateButtons();

    int m_mode = EditRecord;
    bool m_changed = false;
    QList<Shown> m_pictures;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_delete;
};
