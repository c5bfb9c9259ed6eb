#pragma once

#include <QString>
#include <QVariantList>

class DataModule;

// What a test reads back to see what a flow left in the database.
namespace DbProbe {

// Rows of 'table' meeting 'where' (all rows when empty), its values bound.
int count(DataModule& data, const QString& table, const QString& where = {}, const QVariantList& params = {});

} // namespace DbProbe
