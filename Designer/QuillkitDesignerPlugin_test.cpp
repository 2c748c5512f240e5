// The Designer plugin as Qt Designer takes it up: loaded from the plugins folder, it offers the
// four widgets in the "Quillkit" group with their toolbox bitmaps, and makes them in design mode
// once Designer has initialized it, in run mode for a form loader that never does.
#include <Quillkit/Hosting/ControlWidget.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/TestSupport/TestEnvironment.h>

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPluginLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class QuillkitDesignerPlugin : public testing::Test
{
protected:
    QuillkitDesignerPlugin()
    {
        registerLibraryFile(QStringLiteral(QUILLKIT_MODULE));
        const QString file = QDir(QStringLiteral(QUILL_DESIGNER_PLUGINS_DIR))
                                 .filePath(QStringLiteral("libquillkitdesigner.so"));
        loader.setFileName(file);
        auto *collection
            = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(loader.instance());
        EXPECT_NE(collection, nullptr) << qPrintable(loader.errorString());
        if (collection)
            widgets = collection->customWidgets();
    }

    QDesignerCustomWidgetInterface *named(const QString &name) const
    {
        for (QDesignerCustomWidgetInterface *widget : widgets) {
            if (widget->name() == name)
                return widget;
        }
        ADD_FAILURE() << "no " << qPrintable(name);
        return nullptr;
    }

    test::IsolatedUserFolders folders;
    QPluginLoader loader;
    QList<QDesignerCustomWidgetInterface *> widgets;
};

TEST_F(QuillkitDesignerPlugin, OffersTheFourWidgetsInTheQuillkitGroupWithTheirBitmaps)
{
    QStringList names;
    for (QDesignerCustomWidgetInterface *widget : widgets) {
        names << widget->name();
        EXPECT_EQ(widget->group(), "Quillkit");
        EXPECT_FALSE(widget->isContainer());
        EXPECT_EQ(widget->includeFile(), "Quillkit/Widgets/" + widget->name() + ".h");
        // The toolbox bitmap, drawn for both densities.
        const QIcon icon = widget->icon();
        ASSERT_FALSE(icon.isNull()) << qPrintable(widget->name());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 15))) << qPrintable(widget->name());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 30))) << qPrintable(widget->name());

        // What Designer places: the class, under a name of its own, from the global header.
        QXmlStreamReader xml(widget->domXml());
        QStringList seen;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"widget") {
                seen << xml.attributes().value("class").toString();
            } else if (xml.name() == u"header") {
                EXPECT_EQ(xml.attributes().value("location"), u"global");
                seen << xml.readElementText();
            }
        }
        EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
        EXPECT_EQ(seen, QStringList({widget->name(), widget->includeFile()}));
    }
    names.sort();
    EXPECT_EQ(names,
        QStringList({"QuillComboBoxWidget", "QuillFormWidget", "QuillInputBoxWidget",
            "QuillPictureBoxWidget"}));
}

TEST_F(QuillkitDesignerPlugin, MakesItsWidgetsInDesignModeInsideDesignerOnly)
{
    QDesignerCustomWidgetInterface *form = named(QStringLiteral("QuillFormWidget"));
    ASSERT_NE(form, nullptr);
    // A form loader never initializes the plugin: run mode.
    QWidget loaded;
    auto *running = qobject_cast<ControlWidget *>(form->createWidget(&loaded));
    ASSERT_NE(running, nullptr);
    EXPECT_TRUE(running->userMode());

    form->initialize(nullptr);
    EXPECT_TRUE(form->isInitialized());
    QWidget window;
    auto *designed = qobject_cast<ControlWidget *>(form->createWidget(&window));
    ASSERT_NE(designed, nullptr);
    EXPECT_FALSE(designed->userMode());
    // Designer's own window is left alone, and the control shows its design look.
    window.show();
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_TRUE(designed->userControl()->surface()->isVisibleTo(&window));
    // What comes after is made as before.
    EXPECT_TRUE(ControlWidget::defaultUserMode());
}

TEST_F(QuillkitDesignerPlugin, AClassThatCannotBeMadeShowsWhyInsteadOfFailingDesigner)
{
    QDesignerCustomWidgetInterface *combo = named(QStringLiteral("QuillComboBoxWidget"));
    ASSERT_NE(combo, nullptr);
    // Unregistered: its library is not found.
    unregisterLibraryFile(QStringLiteral(QUILLKIT_MODULE));
    QWidget window;
    QWidget *made = combo->createWidget(&window);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(qobject_cast<ControlWidget *>(made), nullptr);
    EXPECT_EQ(made->parentWidget(), &window);
    const QLabel *why = made->findChild<QLabel *>();
    ASSERT_NE(why, nullptr);
    EXPECT_TRUE(why->text().contains("429")) << qPrintable(why->text());
}

} // namespace
