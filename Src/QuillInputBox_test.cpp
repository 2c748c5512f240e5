// QuillInputBox through the host: how it joins the library, its boxes, persistence, font,
// colours and layout.
#include "QuillInputBoxTestSupport.h"

#include <Quillkit/Value/Units.h>

using namespace platform;
using namespace quillkit::test;

namespace {

using InputBox = InputBoxTest;

// --- The class in the library ---

TEST_F(InputBox, JoinsTheLibraryWithItsInterfaces)
{
    const ClassInfo *info = host.libraryDescriptor(ModulePath).info().findClass(InputBoxProgId);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->id.toString(), "{EEB3C931-DBC9-4D38-80EE-E5A18539B31D}");
    EXPECT_EQ(info->name, "QuillInputBox");
    EXPECT_EQ(info->miscStatus, 0x00020191u);
    EXPECT_EQ(info->toolboxBitmapId, 30001);
    EXPECT_EQ(info->designWidth, 4800);
    EXPECT_EQ(info->designHeight, 3600);

    const InterfaceInfo &dual = info->defaultInterface;
    EXPECT_EQ(dual.name, "_QuillInputBox");
    EXPECT_EQ(dual.id.toString(), "{D6253E25-4322-471A-A01F-29EA089467EC}");
    EXPECT_EQ(dual.attributes, QStringList({"dual", "hidden", "nonextensible", "oleautomation"}));
    EXPECT_FALSE(dual.dispatchOnly);

    const InterfaceInfo &events = info->eventInterface;
    EXPECT_EQ(events.name, "__QuillInputBox");
    EXPECT_EQ(events.id.toString(), "{C34082C6-185B-4B6D-BC3A-50311488ED6A}");
    EXPECT_EQ(events.attributes, QStringList({"hidden", "nonextensible"}));
    EXPECT_TRUE(events.dispatchOnly);
    ASSERT_EQ(events.members.size(), 1u);
    EXPECT_EQ(events.members[0].name, "Change");
    EXPECT_EQ(events.members[0].id, 1);
    EXPECT_TRUE(events.members[0].params.empty());
}

TEST_F(InputBox, ListsItsMembersInSlotOrderWithIdsAndTypes)
{
    struct Row
    {
        const char *name;
        DispId id;
        InvokeKind kind;
        const char *type;
    };
    const InvokeKind get = InvokeKind::PropertyGet;
    const InvokeKind let = InvokeKind::PropertyLet;
    const Row expected[] = {
        {"style", 0x68030004, get, "style"},
        {"style", 0x68030004, let, "style"},
        {"Text", 0x68030003, get, "BSTR"},
        {"Text", 0x68030003, let, "BSTR"},
        {"Alignment", 0x68030002, get, "AlignmentValue"},
        {"Alignment", 0x68030002, let, "AlignmentValue"},
        {"Font", -512, get, "IFontDisp*"},
        {"Font", -512, InvokeKind::PropertySetRef, "IFontDisp*"},
        {"BackColor", 0x68030001, get, "OLE_COLOR"},
        {"BackColor", 0x68030001, let, "OLE_COLOR"},
        {"ForeColor", 0x68030000, get, "OLE_COLOR"},
        {"ForeColor", 0x68030000, let, "OLE_COLOR"},
    };
    const ClassInfo *info = host.libraryDescriptor(ModulePath).info().findClass(InputBoxProgId);
    ASSERT_NE(info, nullptr);
    const std::vector<MemberInfo> &members = info->defaultInterface.members;
    ASSERT_EQ(members.size(), std::size(expected));
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].name, expected[i].name) << i;
        EXPECT_EQ(members[i].id, expected[i].id) << i;
        EXPECT_EQ(members[i].kind, expected[i].kind) << i;
        EXPECT_EQ(members[i].type, expected[i].type) << i;
        const QStringList attributes = members[i].name == u"Font"
            ? QStringList {QStringLiteral("category(\"Apariencia\")")}
            : QStringList {};
        EXPECT_EQ(members[i].attributes, attributes) << i;
    }
    // Late-bound callers find them by name, whatever the case.
    ControlSite &site = place();
    EXPECT_EQ(site.control()->idOfName("STYLE"), 0x68030004);
    EXPECT_EQ(site.control()->idOfName("font"), -512);
    EXPECT_EQ(errorNumberOf([&] { site.control()->idOfName("Picture"); }), 438);
}

// --- The boxes as designed ---

TEST_F(InputBox, CreatesBothBoxesHiddenAtTheirDesignValues)
{
    // Created and not yet sited or sized: what the constructor made.
    std::shared_ptr<UserControl> control = host.create(InputBoxProgId);
    QWidget *surface = control->surface();
    auto *txtLeft = surface->findChild<QLineEdit *>("txtLeft");
    auto *txtRight = surface->findChild<QLineEdit *>("txtRight");
    ASSERT_NE(txtLeft, nullptr);
    ASSERT_NE(txtRight, nullptr);
    struct Row
    {
        QLineEdit *edit;
        Qt::Alignment horizontal;
    };
    for (const Row &row : {Row {txtLeft, Qt::AlignLeft}, Row {txtRight, Qt::AlignRight}}) {
        const QString name = row.edit->objectName();
        EXPECT_TRUE(row.edit->isHidden()) << name.toStdString();
        // 2175 x 285 twips at the top left.
        EXPECT_EQ(row.edit->geometry(), QRect(0, 0, 145, 19)) << name.toStdString();
        EXPECT_EQ(row.edit->alignment() & Qt::AlignHorizontal_Mask, row.horizontal)
            << name.toStdString();
    }
    // Tab order: txtLeft (0) before txtRight (1).
    EXPECT_EQ(txtLeft->nextInFocusChain(), txtRight);
}

// --- Lifecycle and persistence ---

TEST_F(InputBox, ANeverLoadedInstanceKeepsZerosAndShowsNothingUntilASetterRefreshes)
{
    ControlSite &site = place();
    EXPECT_EQ(get(site, InputBoxId::Style), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::Alignment), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::BackColor), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::ForeColor), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::Text), Variant(QString()));
    EXPECT_EQ(shownBox(site), "none");

    // Font and colour setters do not refresh; style, Text and Alignment do.
    setFont(site, Variant(DispatchPtr(std::make_shared<StdFont>())));
    let(site, InputBoxId::BackColor, Variant(0));
    let(site, InputBoxId::ForeColor, Variant(0));
    EXPECT_EQ(shownBox(site), "none");
    for (const DispId id : {InputBoxId::Style, InputBoxId::Text, InputBoxId::Alignment}) {
        ControlSite &fresh = place(nullptr, QStringLiteral("Fresh%1").arg(id));
        let(fresh, id, id == InputBoxId::Text ? Variant("x") : Variant(0));
        EXPECT_EQ(shownBox(fresh), "txtLeft") << id;
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(InputBox, SavingANeverLoadedInstanceStoresBlackOnBlack)
{
    ControlSite &site = place();
    const PropertyBag saved = site.save();
    EXPECT_EQ(saved.ReadProperty("BackColor"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("ForeColor"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("Style"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("Alignment"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("Text"), Variant(QString()));

    ControlSite &loaded = place(&saved, QStringLiteral("Box2"));
    for (QLineEdit *edit : {left(loaded), right(loaded)}) {
        EXPECT_EQ(textColor(edit), QColor(Qt::black)) << edit->objectName().toStdString();
        EXPECT_EQ(backColor(edit), QColor(Qt::black)) << edit->objectName().toStdString();
    }
}

TEST_F(InputBox, LoadingAnEmptyBagGivesTheDefaultsTheAmbientFontAndForeColor)
{
    auto ambient = std::make_shared<StdFont>();
    ambient->setName("DejaVu Serif");
    ambient->setSize(Currency::fromRaw(123400));
    ambient->setItalic(true);
    form.setFont(ambient);
    form.setForeColor(0x00336699);

    const PropertyBag empty;
    ControlSite &site = place(&empty);
    EXPECT_EQ(get(site, InputBoxId::Style), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::Alignment), Variant(0));
    EXPECT_EQ(get(site, InputBoxId::Text), Variant(QString()));
    EXPECT_EQ(get(site, InputBoxId::BackColor), Variant(16777215));
    EXPECT_EQ(get(site, InputBoxId::ForeColor), Variant(0x00336699));

    const StdFontPtr font = fontOf(site);
    ASSERT_TRUE(font);
    EXPECT_NE(font, ambient); // a copy of the attributes, never the ambient object
    EXPECT_EQ(font->Name(), "DejaVu Serif");
    EXPECT_EQ(font->Size(), Currency::fromRaw(123400));
    EXPECT_TRUE(font->Italic());
    EXPECT_EQ(left(site)->font().family(), "DejaVu Serif");
    EXPECT_EQ(right(site)->font().pointSizeF(), 12.34);

    EXPECT_EQ(shownBox(site), "txtLeft");
    EXPECT_EQ(left(site)->text(), "");
    EXPECT_EQ(backColor(left(site)), QColor(Qt::white));
    EXPECT_EQ(textColor(right(site)), color(0x00336699));
    // Font, BackColor and ForeColor went through their setters; Change was never raised.
    EXPECT_EQ(site.changedProperties(), QStringList({"Font", "Color", "Color"}));
    EXPECT_EQ(changes, 0);
}

TEST_F(InputBox, SavesAllSixKeysAfterALoadEvenAtTheirDefaults)
{
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    const PropertyBag saved = site.save();
    QStringList keys;
    for (const auto &entry : saved.entries())
        keys << entry.key;
    EXPECT_EQ(keys,
        QStringList({"_extentx", "_extenty", "style", "text", "alignment", "font", "backcolor",
            "forecolor"}));
    EXPECT_EQ(saved.ReadProperty("Style"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("Text"), Variant(QString()));
    EXPECT_EQ(saved.ReadProperty("Alignment"), Variant(0));
    EXPECT_EQ(saved.ReadProperty("BackColor"), Variant(16777215));
    EXPECT_EQ(saved.ReadProperty("ForeColor"), OleColor::toVariant(form.ForeColor()));
    const auto font = std::dynamic_pointer_cast<StdFont>(saved.ReadProperty("Font").object());
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Name(), form.Font()->Name());
}

TEST_F(InputBox, WhatWasSavedLoadsBackAndSavesAlike)
{
    PropertyBag bag;
    auto font = std::make_shared<StdFont>();
    font->setName("DejaVu Sans Mono");
    font->setBold(true);
    bag.WriteProperty("style", Variant(1));
    bag.WriteProperty("text", Variant("-12.5"));
    bag.WriteProperty("alignment", Variant(2));
    bag.WriteProperty("font", Variant(DispatchPtr(font)));
    bag.WriteProperty("backcolor", Variant(0x00E0E0E0));
    bag.WriteProperty("forecolor", OleColor::toVariant(0x80000008u));
    ControlSite &site = place(&bag);

    const PropertyBag saved = site.save();
    EXPECT_EQ(saved.ReadProperty("Style"), Variant(1));
    EXPECT_EQ(saved.ReadProperty("Text"), Variant("-12.5"));
    EXPECT_EQ(saved.ReadProperty("Alignment"), Variant(2));
    EXPECT_EQ(saved.ReadProperty("BackColor"), Variant(0x00E0E0E0));
    EXPECT_EQ(saved.ReadProperty("ForeColor"), OleColor::toVariant(0x80000008u));
    const auto savedFont = std::dynamic_pointer_cast<StdFont>(saved.ReadProperty("Font").object());
    ASSERT_TRUE(savedFont);
    EXPECT_EQ(savedFont->Name(), "DejaVu Sans Mono");
    EXPECT_TRUE(savedFont->Bold());
    // The saved state is a snapshot: a later change of the control's font leaves it alone.
    fontOf(site)->setName("DejaVu Serif");
    EXPECT_EQ(savedFont->Name(), "DejaVu Sans Mono");
}

TEST_F(InputBox, AStoredValueOfTheWrongTypeEndsTheLoadKeepingWhatWasRead)
{
    PropertyBag bag;
    bag.WriteProperty("style", Variant(1));
    bag.WriteProperty("text", Variant("kept"));
    bag.WriteProperty("alignment", Variant("not a number"));
    EXPECT_EQ(errorNumberOf([&] { place(&bag); }), 13);
    ControlSite *site = form.site("Box1");
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(get(*site, InputBoxId::Style), Variant(1));
    EXPECT_EQ(site->save().ReadProperty("Text"), Variant("kept"));
    EXPECT_EQ(shownBox(*site), "none"); // the refresh at the end never ran
}

// --- Font ---

TEST_F(InputBox, AssigningAFontCopiesBoldItalicNameAndSizeOnlyAndNotifiesOnce)
{
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    const StdFontPtr own = fontOf(site);
    own->setUnderline(true);
    own->setCharset(0);
    site.save(); // forget the load's notices

    auto given = std::make_shared<StdFont>();
    given->setName("DejaVu Sans Mono");
    given->setSize(Currency::fromRaw(135000));
    given->setBold(true);
    given->setItalic(true);
    given->setUnderline(false);
    given->setStrikethrough(true);
    given->setCharset(2);
    setFont(site, Variant(DispatchPtr(given)));

    EXPECT_EQ(site.changedProperties(), QStringList({"Font"}));
    EXPECT_EQ(fontOf(site), own); // the same object for the control's whole life
    EXPECT_EQ(own->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(own->Size(), Currency::fromRaw(135000));
    EXPECT_TRUE(own->Bold());
    EXPECT_TRUE(own->Italic());
    EXPECT_TRUE(own->Underline()); // ours, not the given font's
    EXPECT_FALSE(own->Strikethrough());
    EXPECT_EQ(own->Charset(), 0);
    for (QLineEdit *edit : {left(site), right(site)}) {
        const QFont font = edit->font();
        EXPECT_EQ(font.family(), "DejaVu Sans Mono") << edit->objectName().toStdString();
        EXPECT_EQ(font.pointSizeF(), 13.5);
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
        EXPECT_TRUE(font.underline());
        EXPECT_FALSE(font.strikeOut());
    }
    // The given object is not kept.
    given->setName("DejaVu Serif");
    EXPECT_EQ(own->Name(), "DejaVu Sans Mono");
    EXPECT_EQ(left(site)->font().family(), "DejaVu Sans Mono");
}

TEST_F(InputBox, AssigningSomethingThatIsNoFontFailsBeforeCopyingAnything)
{
    struct Row
    {
        const char *label;
        Variant value;
        int32_t error;
    };
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    const Row rows[] = {
        {"nothing", Variant::nothing(), 91},
        {"a number", Variant(12), 13},
        {"an object without font attributes", Variant(form.dispatch()), 438},
    };
    const StdFontPtr own = fontOf(site);
    const QString name = own->Name();
    for (const Row &row : rows) {
        site.save();
        EXPECT_EQ(errorNumberOf([&] { setFont(site, row.value); }), row.error) << row.label;
        EXPECT_EQ(own->Name(), name) << row.label;
        EXPECT_TRUE(site.changedProperties().isEmpty()) << row.label;
    }
}

TEST_F(InputBox, ChangingTheReturnedFontUpdatesBothBoxesWithoutANotice)
{
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    site.save();
    const DispatchPtr font = get(site, InputBoxId::Font).object();
    ASSERT_TRUE(font);
    font->let("Size", Variant(20));
    font->let("Underline", Variant(true));
    for (QLineEdit *edit : {left(site), right(site)}) {
        EXPECT_EQ(edit->font().pointSizeF(), 20.0) << edit->objectName().toStdString();
        EXPECT_TRUE(edit->font().underline()) << edit->objectName().toStdString();
    }
    EXPECT_TRUE(site.changedProperties().isEmpty());
}

// --- Colours ---

TEST_F(InputBox, ColoursGoToBothBoxesAndNotifyUnderColor)
{
    struct Row
    {
        DispId id;
        uint32_t value;
        QPalette::ColorRole role;
    };
    const Row rows[] = {
        {InputBoxId::BackColor, 0x00FF8000, QPalette::Base},
        {InputBoxId::BackColor, 0x80000008, QPalette::Base}, // system colours pass unchanged
        {InputBoxId::ForeColor, 0x000000FF, QPalette::Text},
        {InputBoxId::ForeColor, 0x80000005, QPalette::Text},
    };
    // Shown txtLeft: the hidden txtRight takes every colour too.
    const PropertyBag empty;
    ControlSite &site = place(&empty);
    for (const Row &row : rows) {
        site.save();
        let(site, row.id, OleColor::toVariant(row.value));
        EXPECT_EQ(site.changedProperties(), QStringList({"Color"})) << row.value;
        EXPECT_EQ(get(site, row.id), OleColor::toVariant(row.value));
        for (QLineEdit *edit : {left(site), right(site)}) {
            EXPECT_EQ(edit->palette().color(QPalette::Active, row.role), color(row.value))
                << edit->objectName().toStdString() << " " << row.value;
        }
    }
    EXPECT_EQ(shownBox(site), "txtLeft");
    EXPECT_EQ(changes, 0);
}

// --- Layout ---

TEST_F(InputBox, BothBoxesTakeTheControlsSize)
{
    struct Row
    {
        double width;
        double height;
    };
    ControlSite &site = place();
    for (const Row &row :
        {Row {3000, 600}, Row {0, 0}, Row {0, 450}, Row {1500, 0}, Row {4800, 3600}}) {
        site.setWidth(row.width);
        site.setHeight(row.height);
        const QRect expected(0, 0, twipsToPixels(row.width), twipsToPixels(row.height));
        EXPECT_EQ(left(site)->geometry(), expected) << row.width << "x" << row.height;
        EXPECT_EQ(right(site)->geometry(), expected) << row.width << "x" << row.height;
    }
}

} // namespace
