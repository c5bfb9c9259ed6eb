#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

// Page "会员日": member days by day of the month or of the week with their discount
// and points multiplier, the birthday benefit, and which benefits stay valid on
// the other days.
class CardTypeMemberDayPage final : public QWidget {
    Q_OBJECT

public:
    explicit CardTypeMemberDayPage(QWidget* parent = nullptr);

    // The type's row (read only while its member day is on); null for a new type.
    void Load(const ClientDataSet* type);
    // The multipliers (and their labels) exist only while the type earns points.
    void SetPointsAllowed(bool allowed);
    // Which "valid on member days" boxes the benefit mode offers.
    void OfferFor(VipCardTypeSettings::Mode mode);
    // Run when the user changes the mode or the member-day switch: the boxes the
    // mode offers are set up, and a member day just switched on starts from the
    // type's fixed rate and the birthday-day option.
    void ApplyMemberDay(VipCardTypeSettings::Mode mode, bool on, const QString& rate);
    // From now on choosing a birthday option starts it from the monthly settings.
    void SetShown() { m_shown = true; }

    // What the save sends of this page: with member days on, the multipliers (0..10)
    // and the member-day discounts (1..100); the chosen birthday option's discount,
    // which is sent whether member days are on or not. A refusal abandons the confirm.
    void Check(bool memberDayOn);
    void Fill(VipCardTypeSettings& settings) const;

private:
    // The monthly and the weekly group hold the same kinds of fields.
    struct DayGroup {
        QString caption;
        QString objectName;
        const char* pickerName;
        int pickerMode;
        QLineEdit* list;
        QLineEdit* points;
        QLineEdit* discount;
        QCheckBox* useDiscount;
        QCheckBox* useVipPrice;
    };
    QGroupBox* buildDays(const DayGroup& days);
    QGroupBox* buildBirthday();
    QGroupBox* buildOtherDays();
    void chooseBirthday(QCheckBox* chosen, bool on);
    void updateBirthdayLabels();
    void checkMultiplier(QLineEdit* field, const QString& what);
    void checkDiscount(QLineEdit* field, const QString& what);

    QComboBox* m_order;
    QStackedWidget* m_days;
    QLineEdit* m_monthList;
    QLineEdit* m_monthPoints;
    QLineEdit* m_monthDiscount;
    QCheckBox* m_monthUseDiscount;
    QCheckBox* m_monthUseVipPrice;
    QLineEdit* m_weekList;
    QLineEdit* m_weekPoints;
    QLineEdit* m_weekDiscount;
    QCheckBox* m_weekUseDiscount;
    QCheckBox* m_weekUseVipPrice;
    QCheckBox* m_birthdayDay;
    QCheckBox* m_birthdayMonth;
    QLabel* m_birthdayDiscountLabel;
    QLineEdit* m_birthdayDiscount;
    QLabel* m_birthdayPointsLabel;
    QLineEdit* m_birthdayPoints;
    QCheckBox* m_otherDiscount;
    QCheckBox* m_otherVipPrice;
    QCheckBox* m_otherPoints;
    QCheckBox* m_otherProductDiscount;
    // Each multiplier with the labels around it, shown only with points.
    QList<QWidget*> m_pointsWidgets;
    bool m_shown = false;
};
