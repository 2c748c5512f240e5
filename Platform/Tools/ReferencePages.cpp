#include "ReferencePages.h"

#include <QFileInfo>

namespace platform::typegen {

namespace {

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

QString idText(DispId id)
{
    return id >= 0 ? QStringLiteral("0x%1").arg(static_cast<uint32_t>(id), 8, 16, QChar(u'0'))
                   : QString::number(id);
}

QString paramsText(const std::vector<ParamInfo> &params)
{
    QStringList parts;
    for (const ParamInfo &param : params) {
        QString part = param.type + u' ' + param.name;
        if (param.byValue)
            part.prepend(QStringLiteral("ByVal "));
        if (param.optional)
            part = u'[' + part + u']';
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

// A heading over a table of rows under `headings`, or over "None." when there are no rows.
QString section(const QString &title, const QString &headings, const QString &rows)
{
    const QString body = rows.isEmpty()
        ? QStringLiteral("<p>None.</p>\n")
        : QStringLiteral("<table>\n<tr>%1</tr>\n%2</table>\n").arg(headings, rows);
    return QStringLiteral("<h2>%1</h2>\n").arg(title) + body;
}

QString accessText(const ModelMember &member)
{
    QStringList access;
    for (const MemberInfo *entry : member.entries) {
        switch (entry->kind) {
        case InvokeKind::PropertyGet:
            access << QStringLiteral("get");
            break;
        case InvokeKind::PropertyLet:
            access << QStringLiteral("let");
            break;
        case InvokeKind::PropertySetRef:
            access << QStringLiteral("set");
            break;
        case InvokeKind::Method:
            break;
        }
    }
    return access.join(QStringLiteral(", "));
}

QString attributesText(const MemberInfo &info)
{
    return html(info.attributes.join(QStringLiteral(", ")));
}

QString codeOrNote(const QString &form)
{
    static const QString none = QStringLiteral("no Qt form: ");
    if (form.isEmpty())
        return {};
    if (form.startsWith(none))
        return QStringLiteral("<em>%1</em>").arg(html(form));
    return QStringLiteral("<code>%1</code>").arg(html(form));
}

const QString PageHead = QStringLiteral(
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
    "<link rel=\"stylesheet\" href=\"reference.css\">\n</head>\n<body>\n");
const QString PageTail = QStringLiteral(
    "<footer>Written by quill-typegen from the type library of %1; do not edit.</footer>\n"
    "</body>\n</html>\n");

const QByteArray StyleSheet
    = "body { font-family: sans-serif; max-width: 70em; margin: 2em auto; padding: 0 1em; }\n"
      "table { border-collapse: collapse; width: 100%; margin-bottom: 1.5em; }\n"
      "th, td { border: 1px solid #bbb; padding: 0.3em 0.5em; text-align: left;"
      " vertical-align: top; }\n"
      "th { background: #eee; }\n"
      "code { font-size: 0.92em; }\n"
      "figure { display: inline-block; margin: 0 1.5em 1em 0; vertical-align: top; }\n"
      "figcaption { font-size: 0.9em; color: #444; }\n"
      "footer { margin-top: 3em; font-size: 0.85em; color: #666; }\n";

QString picturesText(const QString &className, const QStringList &pictures, const QString &folder)
{
    QString text;
    const QString prefix = className + u'-';
    for (const QString &picture : pictures) {
        if (!picture.startsWith(prefix) || picture.contains(QStringLiteral("@2x")))
            continue;
        const QFileInfo file(picture);
        const QString twice = file.completeBaseName() + QStringLiteral("@2x.") + file.suffix();
        const QString caption = file.completeBaseName().mid(prefix.size()).replace(u'-', u' ');
        QString srcset;
        if (pictures.contains(twice)) {
            srcset = QStringLiteral(" srcset=\"%1/%2 1x, %1/%3 2x\"")
                         .arg(html(folder), html(picture), html(twice));
        }
        text += QStringLiteral("<figure><img src=\"%1/%2\"%3 alt=\"%4, %5\">"
                               "<figcaption>%5</figcaption></figure>\n")
                    .arg(html(folder), html(picture), srcset, html(className), html(caption));
    }
    return text.isEmpty()
        ? text
        : QStringLiteral("<section class=\"pictures\">\n%1</section>\n").arg(text);
}

QString enumsText(const LibraryInfo &library, const QStringList &used)
{
    QString text;
    for (const EnumInfo &info : library.enums) {
        if (!used.contains(info.name))
            continue;
        text += QStringLiteral("<h3 id=\"enum-%1\">%1</h3>\n<table>\n"
                               "<tr><th>Constant</th><th>Value</th><th>Help</th></tr>\n")
                    .arg(html(info.name));
        for (const EnumInfo::Constant &constant : info.constants) {
            text += QStringLiteral("<tr><td><code>%1</code></td><td>%2</td><td>%3</td></tr>\n")
                        .arg(html(constant.name))
                        .arg(constant.value)
                        .arg(html(constant.helpString));
        }
        text += QStringLiteral("</table>\n");
    }
    return text;
}

QString classPage(const LibraryInfo &library, const ModelClass &model, const WidgetForms *forms,
    const QStringList &pictures, const QString &folder)
{
    const ClassInfo &info = *model.info;
    auto formOf = [&](const std::map<QString, QString> &map, const QString &name) {
        if (!forms)
            return QString();
        const auto found = map.find(name);
        return found == map.end() ? QString() : found->second;
    };
    QStringList usedTypes;

    QString text = PageHead.arg(html(info.name));
    text += QStringLiteral("<p><a href=\"index.html\">%1</a></p>\n<h1>%2</h1>\n")
                .arg(html(library.name), html(info.name));
    text += QStringLiteral("<table>\n<tr><th>ProgID</th><td><code>%1</code></td></tr>\n"
                           "<tr><th>Class id</th><td><code>%2</code></td></tr>\n"
                           "<tr><th>Interface</th><td><code>%3</code>, events <code>%4</code>"
                           "</td></tr>\n")
                .arg(html(info.progId), html(info.id.toString()), html(info.defaultInterface.name),
                    html(info.eventInterface.name));
    if (forms) {
        text += QStringLiteral("<tr><th>Typed widget</th><td><code>%1</code> in "
                               "<code>&lt;Quillkit/Widgets/%1.h&gt;</code></td></tr>\n")
                    .arg(html(forms->className));
    }
    text += QStringLiteral("</table>\n");
    text += picturesText(info.name, pictures, folder);

    QString properties;
    QString methods;
    for (const ModelMember &member : model.members) {
        const MemberInfo &first = *member.entries.front();
        const QString qt = codeOrNote(
            formOf(forms ? forms->members : std::map<QString, QString> {}, member.name));
        if (member.kind == MemberKind::Property) {
            usedTypes << first.type;
            properties += QStringLiteral("<tr id=\"%1\"><td><code>%1</code></td><td>%2</td>"
                                         "<td><code>%3</code></td><td>%4</td><td>%5</td>"
                                         "<td>%6</td><td>%7</td></tr>\n")
                              .arg(html(member.name), idText(member.id), html(first.type),
                                  accessText(member), html(paramsText(first.params)),
                                  attributesText(first), qt);
        } else {
            usedTypes << first.type;
            for (const ParamInfo &param : first.params)
                usedTypes << param.type;
            methods += QStringLiteral("<tr id=\"%1\"><td><code>%1</code></td><td>%2</td>"
                                      "<td><code>%3</code></td><td>%4</td><td>%5</td>"
                                      "<td>%6</td></tr>\n")
                           .arg(html(member.name), idText(member.id), html(first.type),
                               html(paramsText(first.params)), attributesText(first), qt);
        }
    }
    QString events;
    for (const ModelEvent &event : model.events) {
        for (const ParamInfo &param : event.info->params)
            usedTypes << param.type;
        events += QStringLiteral("<tr id=\"%1\"><td><code>%1</code></td><td>%2</td><td>%3</td>"
                                 "<td>%4</td><td>%5</td></tr>\n")
                      .arg(html(event.name), idText(event.id), html(paramsText(event.info->params)),
                          attributesText(*event.info),
                          codeOrNote(formOf(
                              forms ? forms->events : std::map<QString, QString> {}, event.name)));
    }

    text += section(QStringLiteral("Properties"),
        QStringLiteral("<th>Property</th><th>Id</th><th>Type</th><th>Access</th><th>Index</th>"
                       "<th>Attributes</th><th>Qt form</th>"),
        properties);
    text += section(QStringLiteral("Methods"),
        QStringLiteral("<th>Method</th><th>Id</th><th>Returns</th><th>Parameters</th>"
                       "<th>Attributes</th><th>Qt form</th>"),
        methods);
    text += section(QStringLiteral("Events"),
        QStringLiteral("<th>Event</th><th>Id</th><th>Parameters</th><th>Attributes</th>"
                       "<th>Qt form</th>"),
        events);
    const QString enums = enumsText(library, usedTypes);
    if (!enums.isEmpty())
        text += QStringLiteral("<h2>Enumerations</h2>\n") + enums;
    return text + PageTail.arg(html(library.name));
}

} // namespace

std::vector<GeneratedText> referencePages(
    const LibraryInfo &library, const QStringList &pictures, const QString &pictureFolder)
{
    const LibraryModel model = modelOf(library);
    const std::vector<WidgetForms> forms = widgetForms(library);
    std::vector<GeneratedText> pages;

    QString index = PageHead.arg(html(library.name));
    index += QStringLiteral("<h1>%1 %2.%3</h1>\n<p>%4</p>\n<table>\n"
                            "<tr><th>Class</th><th>ProgID</th><th>Class id</th></tr>\n")
                 .arg(html(library.name))
                 .arg(library.majorVersion)
                 .arg(library.minorVersion)
                 .arg(html(library.helpString));
    for (const ModelClass &entry : model.classes) {
        const WidgetForms *widget = nullptr;
        for (const WidgetForms &candidate : forms) {
            if (candidate.info == entry.info)
                widget = &candidate;
        }
        const QString file = entry.info->name + QStringLiteral(".html");
        pages.push_back(
            {file, classPage(library, entry, widget, pictures, pictureFolder).toUtf8()});
        index += QStringLiteral("<tr><td><a href=\"%1\">%2</a></td><td><code>%3</code></td>"
                                "<td><code>%4</code></td></tr>\n")
                     .arg(html(file), html(entry.info->name), html(entry.info->progId),
                         html(entry.info->id.toString()));
    }
    index += QStringLiteral("</table>\n");
    index += PageTail.arg(html(library.name));
    pages.push_back({QStringLiteral("index.html"), index.toUtf8()});
    pages.push_back({QStringLiteral("reference.css"), StyleSheet});
    return pages;
}

} // namespace platform::typegen
