#include "../TestSupport/ControlTestHost.h"
#include "ComboBox.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

using namespace platform;
using platform::test::ControlTestHost;

namespace {

// The combo does not paint beneath its edit field when the field paints all of itself: what
// shows must be what painting the combo first and the field over it shows, in every style the
// toolkit offers, in every palette a host may give and in every state of the field.
struct Look
{
    const char *name;
    std::function<void(ComboBox &)> apply;
};

void PrintTo(const Look &look, std::ostream *os)
{
    *os << look.name;
}

void darkPalette(ComboBox &)
{
    QPalette dark = QApplication::palette();
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        dark.setColor(role, QColor(30, 30, 30));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(240, 240, 240));
    QApplication::setPalette(dark);
}

void seeThroughBase(ComboBox &combo)
{
    QPalette palette = combo.comboBox()->palette();
    palette.setColor(QPalette::Base, QColor(255, 255, 255, 96));
    combo.comboBox()->setPalette(palette);
}

enum class State { Unfocused, Focused, Disabled };

class ComboBoxPainting : public ::testing::TestWithParam<std::tuple<Look, State>>
{
protected:
    void SetUp() override
    {
        m_palette = QApplication::palette();
        m_style = QApplication::style()->name();
    }
    void TearDown() override
    {
        QApplication::setStyle(m_style);
        QApplication::setPalette(m_palette);
    }

private:
    QPalette m_palette;
    QString m_style;
};

QImage shown(QComboBox *combo)
{
    return combo->grab().toImage();
}

TEST_P(ComboBoxPainting, ShowsWhatTheEditFieldOverTheComboShows)
{
    const auto &[look, state] = GetParam();
    for (const QString &style : QStyleFactory::keys()) {
        SCOPED_TRACE(style.toStdString());
        QApplication::setStyle(style);
        ControlTestHost host;
        ASSERT_TRUE(host.activate());
        auto combo = host.make<ComboBox>(QStringLiteral("cmbCombo"));
        combo->setWidth(2895);
        combo->AddItem(QStringLiteral("Zebra"));
        look.apply(*combo);
        // As a completion leaves it: the typed part, then the rest selected.
        combo->setText(QStringLiteral("Zebra"));
        combo->setSelStart(1);
        combo->setSelLength(4);
        if (state == State::Focused)
            combo->SetFocus();
        if (state == State::Disabled)
            combo->setEnabled(false);
        QApplication::processEvents();
        ASSERT_EQ(combo->lineEdit()->hasFocus(), state == State::Focused);

        QLineEdit *edit = combo->lineEdit();
        const QImage painted = shown(combo->comboBox());
        const bool opaque = edit->testAttribute(Qt::WA_OpaquePaintEvent);
        edit->setAttribute(Qt::WA_OpaquePaintEvent, false);
        const QImage overTheCombo = shown(combo->comboBox());
        edit->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        EXPECT_EQ(painted, overTheCombo);
    }
}

void transparentStyleSheet(ComboBox &combo)
{
    combo.lineEdit()->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
}

const Look looks[] = {
    {"Default", [](ComboBox &) {}},
    {"Dark", darkPalette},
    {"BackColor", [](ComboBox &c) { c.setBackColor(0x0080FFFF); }},
    {"DarkBackColor", [](ComboBox &c) { c.setBackColor(0x00402010); }},
    {"SeeThroughBase", seeThroughBase},
    {"StyleSheet", transparentStyleSheet},
};

std::string caseName(const ::testing::TestParamInfo<std::tuple<Look, State>> &info)
{
    static const char *const states[] = {"Unfocused", "Focused", "Disabled"};
    return std::string(std::get<0>(info.param).name) + states[int(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Table, ComboBoxPainting,
    ::testing::Combine(::testing::ValuesIn(looks),
        ::testing::Values(State::Unfocused, State::Focused, State::Disabled)),
    caseName);

} // namespace
