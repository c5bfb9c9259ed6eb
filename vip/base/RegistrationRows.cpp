#include "vip/base/RegistrationRows.h"

#include "vip/base/UnitCatalogue.h"

namespace {

struct Registrar {
    void operator()(const QueryClassEntry& entry) const { gQueryClassFactory().Register(entry); }
    void operator()(const ComClassEntry& entry) const { ComClassReg().Register(entry); }
};

} // namespace

RegistrationRows::RegistrationRows(const QString& unit, int position,
                                   std::initializer_list<RegistrationRow> rows) {
    const auto registerRows = [rows = QList<RegistrationRow>(rows)] {
        for (const RegistrationRow& row : rows)
            std::visit(Registrar(), row);
    };
    UnitCatalogue::global().add(unit, position, registerRows, {});
}
