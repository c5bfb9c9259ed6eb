#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

// The range a number field holds to. Leaving the field, or confirming its dialog,
// with a value outside the range (or with text that is no number) is refused:
// "<caption>必须在 <low> 到 <high> 之间" in a box captioned "提示", the text left
// as typed and the focus back in the field. An empty field is the dialog's own
// checks' business, which say what is missing.
class NumberRange final : public QObject {
    Q_OBJECT

public:
    // Holds 'field' to low..high from now on; the range lives as long as the field.
    static void Attach(QLineEdit* field, const QString& caption, double low, double high);
    // Refuses at the first enabled field of 'window' that is out of its range.
    static void CheckAll(QWidget* window);
    // A button carrying this property set to true takes the focus from a field
    // without the leave check: a confirm checks every field itself, an exit needs none.
    static constexpr const char* EndsDialog = "endsDialog";

    // While one lives, leaving a field checks nothing: a confirm ending the edit
    // checks every field itself, so the box is not shown twice.
    class Quiet {
    public:
        Quiet();
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
    };

private:
    NumberRange(QLineEdit* field, const QString& caption, double low, double high);
    bool holds() const;
    // Refuses when the field holds text outside the range.
    void check() const;

    QLineEdit* m_field;
    QString m_caption;
    double m_low;
    double m_high;
};
