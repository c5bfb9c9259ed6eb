#pragma once

#include <QDialog>

class TBaseQuery;

// The frame a list window is shown in when it is opened modally: it closes with
// the modal result the window sets, and Esc or the close box give mrCancel.
class QueryWindowDialog final : public QDialog {
    Q_OBJECT

public:
    explicit QueryWindowDialog(QWidget* parent = nullptr);

    // Takes the window (created with this dialog as its parent) into the frame.
    void SetWindow(TBaseQuery* window);
    TBaseQuery* Window() const { return m_window; }

    void reject() override;

private:
    TBaseQuery* m_window = nullptr;
};
