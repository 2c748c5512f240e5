// The search panel: a search box over the combo's place and a list of every host item that
// contains the search text, each result carrying its item's index in the inner list.
#include "QuillComboBox.h"

#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/RuntimeError.h>
#include <Quillkit/Value/TextServices.h>

#include <algorithm>
#include <optional>
#include <vector>

using namespace platform;

namespace {

constexpr double OpenHeight = 2385;
constexpr double ClosedHeight = 315;
// Heights from here up count as open.
constexpr double OpenThreshold = 2000;
constexpr int16_t KeyEnter = 13;
constexpr int16_t KeyEscape = 27;
constexpr int16_t KeySpace = 32;
constexpr int16_t KeyPageUp = 33;
constexpr int16_t KeyPageDown = 34;
constexpr int16_t KeyUp = 38;
constexpr int16_t KeyDown = 40;

// Runs one step of opening or closing; a step that fails is skipped and the next one runs.
template<class Step>
void tryStep(Step step)
{
    try {
        step();
    } catch (const RuntimeError &) { }
}

// Whether the pattern "*" + text + "*" is a plain containment test: no character of the text
// is a pattern element.
bool isLiteral(const QString &text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'*':
        case u'?':
        case u'#':
        case u'[':
            return false;
        default:
            break;
        }
    }
    return true;
}

using Element = WildcardPattern::Element;

// The longest run of literal elements of a compiled pattern: every text the pattern matches
// contains it. Empty when there is none.
QString requiredRun(const std::vector<Element> &elements)
{
    QString best;
    QString run;
    for (const Element &element : elements) {
        if (element.kind == Element::Literal) {
            run += QChar(element.literal);
            continue;
        }
        if (run.size() > best.size())
            best = run;
        run.clear();
    }
    return run.size() > best.size() ? run : best;
}

// "*" + text + "*" where the text has no star of its own: each element between the outer stars
// takes one code unit, so an item matches where some window of the elements' count matches
// element by element. The longest run of literal elements is looked for first; the other
// elements are tried on the window around each place it is found.
class WindowPattern
{
public:
    // Nothing when the pattern holds a star inside or no literal element.
    static std::optional<WindowPattern> of(const WildcardPattern &pattern)
    {
        const std::vector<Element> &all = pattern.elements();
        if (all.size() < 3 || all.front().kind != Element::Star || all.back().kind != Element::Star)
            return std::nullopt;
        WindowPattern window;
        window.m_elements.assign(all.begin() + 1, all.end() - 1);
        for (qsizetype i = 0; i < qsizetype(window.m_elements.size());) {
            const Element &element = window.m_elements[size_t(i)];
            if (element.kind == Element::Star)
                return std::nullopt;
            qsizetype j = i;
            while (j < qsizetype(window.m_elements.size())
                && window.m_elements[size_t(j)].kind == Element::Literal)
                ++j;
            if (j - i > window.m_run.size()) {
                window.m_runStart = i;
                window.m_run.clear();
                for (qsizetype u = i; u < j; ++u)
                    window.m_run += QChar(window.m_elements[size_t(u)].literal);
            }
            i = std::max(j, i + 1);
        }
        if (window.m_run.isEmpty())
            return std::nullopt;
        return window;
    }

    QStringView run() const { return m_run; }
    qsizetype before() const { return m_runStart; }
    qsizetype after() const { return qsizetype(m_elements.size()) - m_runStart - m_run.size(); }

    bool accepts(QStringView window) const
    {
        for (size_t i = 0; i < m_elements.size(); ++i) {
            if (!WildcardPattern::matchesOne(m_elements[i], window[qsizetype(i)].unicode()))
                return false;
        }
        return true;
    }

private:
    std::vector<Element> m_elements;
    QString m_run;
    qsizetype m_runStart = 0;
};

} // namespace

void QuillComboBox::ToggleSearchPanel()
{
    // The height decides, not the flag: the host may have resized the control.
    if (Height() < OpenThreshold) {
        m_SearchOpen = true;
        tryStep([&] { setHeight(OpenHeight); });
        tryStep([&] { cmbCombo->setVisible(false); });
        tryStep([&] { txtBuscar->setVisible(true); });
        tryStep([&] { lstResultados->setVisible(true); });
        // Setting the hint runs the search at once; selected, the first key replaces it.
        bool empty = false;
        tryStep([&] { empty = txtBuscar->Text().isEmpty(); });
        if (empty) {
            tryStep([&] { txtBuscar->setText(m_SearchText); });
            tryStep([&] { txtBuscar->setSelStart(0); });
            tryStep([&] { txtBuscar->setSelLength(int32_t(txtBuscar->Text().size())); });
        }
        // The search text and its results are kept between openings, but results of items the
        // host has since changed would lead to the wrong item: search the current ones again.
        tryStep([&] {
            if (resultsAreStale())
                runSearch();
        });
        tryStep([&] { txtBuscar->SetFocus(); });
    } else {
        m_SearchOpen = false;
        // Hiding the panel would pass its focus on to the button: the user, who was working in
        // the panel, goes back to the combo instead.
        bool panelHadFocus = false;
        tryStep([&] { panelHadFocus = txtBuscar->hasFocus() || lstResultados->hasFocus(); });
        tryStep([&] { txtBuscar->setVisible(false); });
        tryStep([&] { lstResultados->setVisible(false); });
        tryStep([&] { cmbCombo->setVisible(true); });
        if (panelHadFocus)
            tryStep([&] { cmbCombo->SetFocus(); });
        // The layout then takes the combo's own height.
        tryStep([&] { setHeight(ClosedHeight); });
    }
}

void QuillComboBox::runSearch()
{
    const QString text = upperCase(txtBuscar->Text());
    std::vector<int> &found = m_found;
    found.clear();
    // "*text*" without pattern elements in the text is containment, which one scan over all
    // items answers; a text without a star is tried where its plain part is found; any other
    // pattern only on the items that contain its plain part.
    if (isLiteral(text)) {
        m_items.findContaining(text, firstItemIndex(), found);
    } else {
        // A malformed pattern matches nothing.
        const WildcardPattern pattern(QStringLiteral("*") + text + QStringLiteral("*"));
        const std::optional<WindowPattern> window = WindowPattern::of(pattern);
        if (window) {
            m_items.findWindows(
                window->run(), window->before(), window->after(),
                [&](QStringView part) { return window->accepts(part); }, firstItemIndex(), found);
        } else if (pattern.isValid()) {
            m_items.findMatching(pattern, requiredRun(pattern.elements()), firstItemIndex(), found);
        }
    }

    m_resultsGeneration = m_items.generation();
    // Each result is the item's text with the item's index as its item data: the list takes the
    // indexes and reads the texts from the items as they are now, when it shows them.
    lstResultados->fill(m_items.texts(), found);
    if (lstResultados->ListCount() > 0)
        lstResultados->setListIndex(0);
    // Announced to a screen reader, which cannot see the list fill.
    const int16_t count = lstResultados->ListCount();
    lstResultados->setAccessibleDescription(count == 0 ? QStringLiteral("No results")
            : count == 1                               ? QStringLiteral("1 result")
                                                       : QStringLiteral("%1 results").arg(count));
}

bool QuillComboBox::resultsAreStale()
{
    return m_resultsGeneration && *m_resultsGeneration != m_items.generation();
}

int16_t QuillComboBox::selectedResultItem()
{
    const int16_t k = lstResultados->ListIndex();
    if (k < 0)
        return -1;
    const int32_t item = lstResultados->ItemData(k);
    if (!resultsAreStale())
        return toInteger(Variant(item));
    // The host changed the items since the search (or wrote into the results through ListBox):
    // the result holds only if its index still leads to an item of the same text.
    if (item >= firstItemIndex() && item < cmbCombo->ListCount()
        && cmbCombo->List(int16_t(item)) == lstResultados->List(k))
        return int16_t(item);
    return -1;
}

void QuillComboBox::AcceptSearchResult()
{
    if (lstResultados->ListIndex() < 0)
        return;
    int16_t item = selectedResultItem();
    if (item < 0) {
        // A stale result: list the current items and take the same text there, if it is still
        // an item; otherwise the user sees the fresh results and picks again.
        const QString wanted = lstResultados->List(lstResultados->ListIndex());
        runSearch();
        const int16_t count = lstResultados->ListCount();
        for (int16_t k = 0; k < count; ++k) {
            if (lstResultados->List(k) == wanted) {
                lstResultados->setListIndex(k);
                item = selectedResultItem();
                break;
            }
        }
        if (item < 0)
            return;
    }
    // Read before the click: the host's Click handler may change the results.
    const QString result = lstResultados->List(lstResultados->ListIndex());
    // The combo reports the click at once: its dispatch records the item and raises Click
    // while the panel is still open.
    cmbCombo->setListIndex(item);
    RememberSelection(result);
    ToggleSearchPanel();
}

void QuillComboBox::cmdBuscar_Click()
{
    ToggleSearchPanel();
}

void QuillComboBox::txtBuscar_Change()
{
    runSearch();
}

void QuillComboBox::txtBuscar_KeyPress(int16_t &keyAscii)
{
    if (keyAscii == KeyEnter && lstResultados->ListIndex() >= 0) {
        keyAscii = 0;
        AcceptSearchResult();
    } else if (keyAscii == KeyEscape) {
        keyAscii = 0;
        closeSearchPanelByKey();
    }
}

void QuillComboBox::txtBuscar_KeyDown(int16_t &keyCode, int16_t shift)
{
    if (shift != 0)
        return;
    // The arrows and the page keys move through the results while the typing stays in the
    // search box.
    int step = 0;
    switch (keyCode) {
    case KeyUp:
        step = -1;
        break;
    case KeyDown:
        step = 1;
        break;
    case KeyPageUp:
        step = -std::max(lstResultados->rowsInView() - 1, 1);
        break;
    case KeyPageDown:
        step = std::max(lstResultados->rowsInView() - 1, 1);
        break;
    default:
        return;
    }
    keyCode = 0;
    const int count = lstResultados->ListCount();
    if (count == 0)
        return;
    const int current = lstResultados->ListIndex();
    const int next = current < 0 ? 0 : std::clamp(current + step, 0, count - 1);
    if (next != current)
        lstResultados->setListIndex(int16_t(next));
}

void QuillComboBox::lstResultados_KeyPress(int16_t &keyAscii)
{
    if (keyAscii == KeyEnter || keyAscii == KeySpace) {
        keyAscii = 0;
        AcceptSearchResult();
    } else if (keyAscii == KeyEscape) {
        keyAscii = 0;
        closeSearchPanelByKey();
    }
}

void QuillComboBox::closeSearchPanelByKey()
{
    if (!m_SearchOpen)
        return;
    // Closing from inside the panel gives the combo the focus.
    ToggleSearchPanel();
}

void QuillComboBox::lstResultados_MouseUp(int16_t, int16_t, double, double)
{
    AcceptSearchResult();
}
