#pragma once

#include "TypeLibraryModel.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

// Typed widgets of a type library: per creatable class a QWidget subclass of
// platform::ControlWidget that creates the class by its id and shows its members in Qt's types:
// a Q_PROPERTY per property, a public slot per method, a signal per event with its arguments,
// and the enumerations it uses as Q_ENUMs. What has no Qt form is listed, with the reason, in a
// comment of the class's header; control() still reaches it by id.
namespace platform::typegen {

struct GeneratedText
{
    QString fileName;
    QByteArray text;
};

// Each class's <Class>Widget.h and <Class>Widget.cpp, then <Library>Widgets.h, which includes
// every class's header. The text depends on the type library alone.
std::vector<GeneratedText> widgetFiles(const LibraryInfo &library);

// How each creatable class's typed widget shows its members and events, by name as the type
// library gives it: "Q_PROPERTY(...); slot void setX(...)", "slot ...", "signal ...", or
// "no Qt form: " and the reason.
struct WidgetForms
{
    const ClassInfo *info = nullptr;
    QString className;
    std::map<QString, QString> members;
    std::map<QString, QString> events;
};
std::vector<WidgetForms> widgetForms(const LibraryInfo &library);

} // namespace platform::typegen
