#include "QuillkitTestSupport.h"

#include <Quillkit/Hosting/Extender.h>
#include <Quillkit/Hosting/FormFile.h>
#include <Quillkit/System/Gdi32.h>
#include <Quillkit/System/Regions.h>
#include <Quillkit/System/WindowHandles.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Units.h>

#include <QImage>
#include <QPixmap>
#include <cmath>

namespace {

using platform::DispId;
using platform::InvokeKind;
using platform::PropertyBag;
using platform::Variant;
using quillkit::test::errorNumberOf;

constexpr int32_t Layered = 0x00080000;
constexpr DispId UpdateId = 0x60030005;
constexpr DispId CornerSizeId = 0x68030001;
constexpr DispId TransparencyId = 0x68030000;

class QuillFormTest : public quillkit::test::WithQuillkit
{
protected:
    QuillFormTest() { form.setClientSize(6000, 4500); }

    platform::ControlSite &place(
        const PropertyBag *saved = nullptr, const QRectF &twips = {120, 240, 1200, 900})
    {
        return form.addControl(
            QStringLiteral("Quillkit.QuillForm"), QStringLiteral("QuillForm1"), twips, saved);
    }
    platform::ControlSite &load(int32_t cornerSize, int32_t transparency)
    {
        PropertyBag bag;
        bag.WriteProperty(QStringLiteral("cornersize"), Variant(cornerSize));
        bag.WriteProperty(QStringLiteral("transparency"), Variant(transparency));
        return place(&bag);
    }

    platform::WindowState &window() { return *platform::WindowHandles::find(form.hWnd()); }
    bool layered() { return window().exStyle & Layered; }
    long alpha() { return std::lround(window().opacity * 255); }
    QRegion mask() const { return form.window()->mask(); }

    // The outline a corner size gives the form at its present size, as the form's mask: the
    // region is in window coordinates, the mask in client coordinates.
    QRegion expectedMask(int32_t cornerSize) const
    {
        const QWidget *w = form.window();
        const int width = int(platform::roundHalfEven(form.Width() / 15));
        const int height = int(platform::roundHalfEven(form.Height() / 15));
        const platform::HRGN handle
            = platform::CreateRoundRectRgn(0, 0, width, height, cornerSize, cornerSize);
        const QRegion region = *platform::Regions::find(handle);
        platform::Regions::release(handle);
        return region.translated(w->frameGeometry().topLeft() - w->geometry().topLeft());
    }
};

TEST_F(QuillFormTest, ANewInstanceReportsZeroAndLeavesTheFormAlone)
{
    platform::ControlSite &site = place();
    EXPECT_EQ(site.control()->get(QStringLiteral("CornerSize")), Variant(int32_t(0)));
    EXPECT_EQ(site.control()->get(QStringLiteral("Transparency")), Variant(int32_t(0)));
    EXPECT_FALSE(window().region.has_value());
    EXPECT_TRUE(mask().isEmpty());
    EXPECT_FALSE(layered());
}

TEST_F(QuillFormTest, LoadingWithoutCornerSizeRoundsTheFormBy32AndKeepsItOpaque)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("transparency"), Variant(int32_t(0)));
    const int regions = platform::Regions::count();
    platform::ControlSite &site = place(&bag);
    EXPECT_EQ(site.control()->get(QStringLiteral("CornerSize")), Variant(int32_t(32)));
    EXPECT_EQ(site.control()->get(QStringLiteral("Transparency")), Variant(int32_t(0)));

    EXPECT_EQ(mask(), expectedMask(32));
    const QRect client = form.window()->rect();
    for (const QPoint corner :
        {client.topLeft(), client.topRight(), client.bottomLeft(), client.bottomRight()})
        EXPECT_FALSE(mask().contains(corner)) << corner.x() << "," << corner.y();
    for (const QPoint inside : {client.center(), QPoint(client.center().x(), 0),
             QPoint(0, client.center().y()), QPoint(client.right(), client.center().y())})
        EXPECT_TRUE(mask().contains(inside)) << inside.x() << "," << inside.y();
    EXPECT_FALSE(layered());
    EXPECT_EQ(alpha(), 255);
    // The window took the region over: no handle is left behind.
    EXPECT_EQ(platform::Regions::count(), regions);
}

TEST_F(QuillFormTest, TheOutlineIsRoundedByTheCornerSize)
{
    const QRect client(0, 0, 400, 300);
    struct Case
    {
        int32_t cornerSize;
        bool cornersInside;
    };
    const Case cases[] = {{0, true}, {8, false}, {32, false}, {120, false}};
    platform::ControlSite &site = place();
    for (const Case &c : cases) {
        site.control()->let(QStringLiteral("CornerSize"), Variant(c.cornerSize));
        EXPECT_EQ(mask(), expectedMask(c.cornerSize)) << c.cornerSize;
        EXPECT_EQ(mask().contains(client.topLeft()), c.cornersInside) << c.cornerSize;
        EXPECT_EQ(mask().contains(client.bottomRight()), c.cornersInside) << c.cornerSize;
        EXPECT_TRUE(mask().contains(client.center())) << c.cornerSize;
        EXPECT_EQ(mask().boundingRect(), client) << c.cornerSize;
    }
    // No corner is a plain rectangle of the form's full size.
    site.control()->let(QStringLiteral("CornerSize"), Variant(int32_t(0)));
    EXPECT_EQ(mask(), QRegion(client));
}

TEST_F(QuillFormTest, TransparencyMovesTheFormBetweenOpaqueAndLayered)
{
    struct Case
    {
        int32_t before;
        int32_t transparency;
        bool layered;
        long alpha;
    };
    const Case cases[] = {
        {50, 0, false, 255},
        {50, -1, false, 255},
        {50, -100000, false, 255},
        {0, 30, true, 178},
        {0, 100, true, 0}, // fully transparent, still there
        {70, 1, true, 252},
        // Above 100 the form keeps what it had.
        {50, 101, true, 128},
        {0, 101, false, 255},
        {50, 12951, true, 128},
        {50, 32767, true, 128},
    };
    platform::ControlSite &site = load(16, 0);
    for (const Case &c : cases) {
        site.control()->let(QStringLiteral("Transparency"), Variant(c.before));
        site.control()->let(QStringLiteral("Transparency"), Variant(c.transparency));
        EXPECT_EQ(layered(), c.layered) << c.before << " -> " << c.transparency;
        EXPECT_EQ(alpha(), c.alpha) << c.before << " -> " << c.transparency;
        EXPECT_EQ(site.control()->get(QStringLiteral("Transparency")), Variant(c.transparency));
        EXPECT_EQ(mask(), expectedMask(16)) << c.transparency;
    }
}

TEST_F(QuillFormTest, ATransparencyBeyond16BitsFailsWithOverflowAfterTheOutline)
{
    platform::ControlSite &site = load(32, 50);
    site.save(); // starts the list of changed properties afresh
    form.setClientSize(9000, 6000);
    EXPECT_EQ(errorNumberOf([&] {
        site.control()->let(QStringLiteral("Transparency"), Variant(int32_t(40000)));
    }),
        6);
    EXPECT_EQ(mask(), expectedMask(32));
    EXPECT_EQ(mask().boundingRect(), QRect(0, 0, 600, 400));
    EXPECT_TRUE(layered());
    EXPECT_EQ(alpha(), 128);
    // The value was stored before the failure; the change was not reported.
    EXPECT_EQ(site.control()->get(QStringLiteral("Transparency")), Variant(int32_t(40000)));
    EXPECT_TRUE(site.changedProperties().isEmpty());
    EXPECT_EQ(errorNumberOf([&] { site.control()->call(QStringLiteral("Update")); }), 6);
}

TEST_F(QuillFormTest, InTheDesignerItChangesNothingOnTheFormButSavesItsValues)
{
    form.setUserMode(false);
    platform::ControlSite &site = load(20, 50);
    site.control()->let(QStringLiteral("CornerSize"), Variant(int32_t(40)));
    site.control()->let(QStringLiteral("Transparency"), Variant(int32_t(70)));
    site.control()->invoke(UpdateId, InvokeKind::Method, {});
    EXPECT_TRUE(mask().isEmpty());
    EXPECT_FALSE(window().region.has_value());
    EXPECT_FALSE(layered());
    EXPECT_EQ(site.changedProperties(), QStringList({"CornerSize", "Transparency"}));
    const PropertyBag saved = site.save();
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("CornerSize")), Variant(int32_t(40)));
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("Transparency")), Variant(int32_t(70)));
}

TEST_F(QuillFormTest, IsShownInTheDesignerOnly)
{
    EXPECT_TRUE(place().widget()->isHidden());
    form.setUserMode(false);
    platform::ControlSite &designed = form.addControl(
        QStringLiteral("Quillkit.QuillForm"), QStringLiteral("QuillForm2"), {0, 0, 510, 510});
    EXPECT_FALSE(designed.widget()->isHidden());
}

TEST_F(QuillFormTest, AnyAttemptToResizeItLeavesIt510By510Twips)
{
    using Resize = std::function<void(platform::ControlSite &)>;
    const std::pair<const char *, Resize> attempts[] = {
        {"placed", [](platform::ControlSite &) {}},
        {"extender width",
            [](platform::ControlSite &s) {
                s.extender()->let(QStringLiteral("Width"), Variant(3000.0));
            }},
        {"extender height",
            [](platform::ControlSite &s) {
                s.extender()->invoke(
                    platform::ExtenderDispId::Height, InvokeKind::PropertyLet, {Variant(15.0)});
            }},
        {"site", [](platform::ControlSite &s) { s.setWidth(0); }},
        {"extent", [](platform::ControlSite &s) { s.userControl()->setExtent(4800, 3600); }},
    };
    for (const bool userMode : {false, true}) {
        form.setUserMode(userMode);
        PropertyBag empty;
        platform::ControlSite &site = form.addControl(QStringLiteral("Quillkit.QuillForm"),
            QStringLiteral("QuillForm%1").arg(userMode), {0, 0, 1200, 900}, &empty);
        for (const auto &[name, attempt] : attempts) {
            attempt(site);
            EXPECT_EQ(site.Width(), 510) << name;
            EXPECT_EQ(site.Height(), 510) << name;
            EXPECT_EQ(platform::toDouble(site.extender()->get(QStringLiteral("Height"))), 510)
                << name;
            EXPECT_EQ(site.widget()->size(), QSize(34, 34)) << name;
        }
    }
}

TEST_F(QuillFormTest, SavingStoresBothKeysEvenAtTheirDefaults)
{
    struct Case
    {
        const char *name;
        bool loaded;
        int32_t cornerSize;
    };
    // A new instance saves what creation left; a loaded one what it loaded.
    const Case cases[] = {{"new", false, 0}, {"loaded", true, 32}};
    for (const Case &c : cases) {
        PropertyBag empty;
        platform::ControlSite &site = form.addControl(QStringLiteral("Quillkit.QuillForm"),
            QString::fromLatin1(c.name), {0, 0, 0, 0}, c.loaded ? &empty : nullptr);
        const PropertyBag saved = site.save();
        QStringList keys;
        for (const auto &entry : saved.entries())
            keys << entry.key;
        EXPECT_EQ(keys, QStringList({"_extentx", "_extenty", "transparency", "cornersize"}))
            << c.name;
        EXPECT_EQ(
            saved.ReadProperty(QStringLiteral("_extentx")), Variant(platform::twipsToHimetric(510)))
            << c.name;
        EXPECT_EQ(saved.ReadProperty(QStringLiteral("Transparency")), Variant(int32_t(0)))
            << c.name;
        EXPECT_EQ(saved.ReadProperty(QStringLiteral("CornerSize")), Variant(c.cornerSize))
            << c.name;
    }
}

// Invisible at run time, the control has no size of its own on the form: the host stores its
// position only, as the demonstration form's file has it, and gives a loaded one its fixed size.
TEST_F(QuillFormTest, TheHostStoresItsPositionButNoSize)
{
    place(nullptr, {4800, 1680, 3000, 2000});
    form.addControl(QStringLiteral("Quillkit.QuillInputBox"), QStringLiteral("QuillInputBox1"),
        {120, 4320, 3855, 255});
    const platform::SavedForm saved = form.save();
    ASSERT_EQ(saved.controls.size(), 2u);
    const platform::SavedControl &quillForm = saved.controls[0];
    EXPECT_EQ(quillForm.left, 4800);
    EXPECT_EQ(quillForm.top, 1680);
    EXPECT_FALSE(quillForm.width.has_value());
    EXPECT_FALSE(quillForm.height.has_value());
    EXPECT_EQ(quillForm.bag.ReadProperty(QStringLiteral("_extentx")),
        Variant(platform::twipsToHimetric(510)));
    // A control that is visible keeps its size.
    EXPECT_EQ(saved.controls[1].width, std::optional<double>(3855));
    EXPECT_TRUE(platform::formText(saved).contains(QStringLiteral("QuillForm1 (4800, 1680)\n")));

    platform::ComponentHost otherHost;
    const auto loaded = platform::HostForm::load(otherHost, saved);
    const platform::ControlSite *site = loaded->site(QStringLiteral("QuillForm1"));
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->Width(), 510);
    EXPECT_EQ(site->Height(), 510);
    EXPECT_EQ(platform::formText(loaded->save()), platform::formText(saved));
}

TEST_F(QuillFormTest, SettersStoreApplyThenReport)
{
    platform::ControlSite &site = place();
    site.control()->invoke(CornerSizeId, InvokeKind::PropertyLet, {Variant(int32_t(50))});
    EXPECT_EQ(
        site.control()->invoke(CornerSizeId, InvokeKind::PropertyGet, {}), Variant(int32_t(50)));
    EXPECT_EQ(mask(), expectedMask(50));
    EXPECT_EQ(site.changedProperties(), QStringList({"CornerSize"}));

    // A value of another numeric type is converted, half to even.
    site.control()->invoke(TransparencyId, InvokeKind::PropertyLet, {Variant(30.5)});
    EXPECT_EQ(site.control()->get(QStringLiteral("transparency")), Variant(int32_t(30)));
    EXPECT_EQ(alpha(), 178);
    EXPECT_EQ(site.changedProperties(), QStringList({"CornerSize", "Transparency"}));
}

TEST_F(QuillFormTest, TheOutlineFollowsAResizedFormOnlyWhenUpdated)
{
    platform::ControlSite &site = load(32, 0);
    const QRegion before = mask();
    form.setClientSize(7500, 3000);
    EXPECT_EQ(mask(), before);
    site.control()->invoke(UpdateId, InvokeKind::Method, {});
    EXPECT_EQ(mask(), expectedMask(32));
    EXPECT_EQ(mask().boundingRect(), QRect(0, 0, 500, 200));
}

TEST_F(QuillFormTest, TheOutlineIsOffsetToTheClientAreaOfAFramedWindow)
{
    form.Show();
    const QWidget *w = form.window();
    const QPoint origin = w->geometry().topLeft() - w->frameGeometry().topLeft();
    ASSERT_NE(origin, QPoint(0, 0)) << "the window manager gave the form no frame";
    load(32, 0);
    EXPECT_EQ(mask(), expectedMask(32));
    // The outline covers the frame too: its bounds are the window's, seen from the client area.
    const QRect outer(-origin, w->frameGeometry().size());
    EXPECT_EQ(mask().boundingRect(), outer);
    EXPECT_FALSE(mask().contains(outer.topLeft()));
    EXPECT_FALSE(mask().contains(outer.bottomRight()));
    EXPECT_TRUE(mask().contains(QPoint(outer.left(), w->rect().center().y())));
    EXPECT_TRUE(mask().contains(w->rect().center()));
}

TEST_F(QuillFormTest, ShowsAWindowIconAtDesignTime)
{
    form.setUserMode(false);
    platform::ControlSite &site = place();
    auto *icon = site.widget()->findChild<QWidget *>(QStringLiteral("cmdDummy"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(0, 0, 34, 34));
    const QImage shown = icon->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 0)); // frame
    EXPECT_EQ(shown.pixel(4, 3), qRgb(0, 0, 128)); // title bar
    EXPECT_EQ(shown.pixel(10, 18), qRgb(255, 255, 255)); // client area
    EXPECT_EQ(shown.pixel(31, 31), qRgb(0, 0, 0));
    // Beyond the 32 x 32 picture, the box's own window background.
    EXPECT_EQ(QColor(shown.pixel(33, 33)), form.window()->palette().color(QPalette::Base));
}

TEST_F(QuillFormTest, JoinsTheLibraryWithItsClassData)
{
    const platform::LibraryInfo &library
        = host.libraryDescriptor(quillkit::test::ModulePath).info();
    const platform::ClassInfo *info = library.findClass(QStringLiteral("Quillkit.QuillForm"));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->name, "QuillForm");
    EXPECT_EQ(info->miscStatus, 0x00020591u);
    EXPECT_EQ(info->toolboxBitmapId, 30002);
    EXPECT_EQ(info->designWidth, 510);
    EXPECT_EQ(info->designHeight, 510);
    EXPECT_EQ(info->defaultInterface.name, "_QuillForm");
    EXPECT_FALSE(info->defaultInterface.dispatchOnly);
    EXPECT_EQ(info->defaultInterface.attributes,
        QStringList({"dual", "hidden", "nonextensible", "oleautomation"}));
    EXPECT_EQ(info->eventInterface.name, "__QuillForm");
    EXPECT_TRUE(info->eventInterface.dispatchOnly);
    EXPECT_EQ(info->eventInterface.attributes, QStringList({"hidden", "nonextensible"}));
    EXPECT_TRUE(info->eventInterface.members.empty());

    struct Slot
    {
        const char *name;
        DispId id;
        InvokeKind kind;
        const char *type;
    };
    const Slot expected[] = {
        {"Update", UpdateId, InvokeKind::Method, "void"},
        {"CornerSize", CornerSizeId, InvokeKind::PropertyGet, "long"},
        {"CornerSize", CornerSizeId, InvokeKind::PropertyLet, "long"},
        {"Transparency", TransparencyId, InvokeKind::PropertyGet, "long"},
        {"Transparency", TransparencyId, InvokeKind::PropertyLet, "long"},
    };
    const auto &members = info->defaultInterface.members;
    ASSERT_EQ(members.size(), std::size(expected));
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].name, expected[i].name) << i;
        EXPECT_EQ(members[i].id, expected[i].id) << i;
        EXPECT_EQ(members[i].kind, expected[i].kind) << i;
        EXPECT_EQ(members[i].type, expected[i].type) << i;
        EXPECT_TRUE(members[i].params.empty()) << i;
    }
}

} // namespace
