#pragma once

#include "TypeLibraryModel.h"

#include <QByteArray>
#include <QStringList>

// The ids header of a type library: a self-contained C++ header (it includes <cstdint> only)
// that hosts include instead of copying ids by hand. In a namespace named after the library:
//   - LibraryId, the library's id as text;
//   - one namespace per enumeration, one std::int32_t constant per value;
//   - one namespace per creatable class with ProgId and ClassId (text), a namespace Member with
//     one std::int32_t per property and method of the default interface, and a namespace Event
//     with one per event;
//   - Entries, a table of every class, member, event, enumeration and value above with its id
//     or value, in the same order, for code that walks them.
// The text depends on the type library alone, so the same library always gives the same bytes.
namespace platform::typegen {

// The names the header puts in the library's namespace besides its classes and enumerations.
QStringList idsHeaderTopLevelNames();

QByteArray idsHeaderText(const LibraryModel &model);
// The model of the library with the header's own names reserved, then its text.
QByteArray idsHeaderText(const LibraryInfo &library);

} // namespace platform::typegen
