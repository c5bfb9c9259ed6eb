#pragma once

#include "host/sdk/MemberCardImport.h"
#include "host/sdk/ui/TBaseDialog.h"

class QLabel;
class QTableWidget;

// "会员卡信息导入": shows what a CSV file would import, row by row with the line
// number and the reason of every refused row, found by running the import and
// undoing it. "导入" imports the accepted rows in one transaction; leaving the
// dialog imports nothing.
class TfrmVipCardImport : public TBaseDialog {
    Q_OBJECT

public:
    TfrmVipCardImport(MemberCardImport::File file, QWidget* parent = nullptr);

    int Imported() const { return m_imported; }

private:
    void fillPreview(const MemberCardImport::Outcome& outcome);
    void OnImport();

    MemberCardImport::File m_file;
    int m_imported = 0;
    QLabel* m_summary;
    QTableWidget* m_grid;
};
