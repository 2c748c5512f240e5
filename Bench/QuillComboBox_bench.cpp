// QuillComboBox driven as a host drives it, through its dispatch (and the user's search box),
// each job beside a plain Qt widget doing the same job in the same run:
// - filling the list with AddItem, beside QComboBox::addItem;
// - one change of the search text over 32767 items, results refilled and the first selected,
//   beside a QSortFilterProxyModel contains-filter over a QStringListModel in a QListView, and
//   beside a plain loop without any widget over the same upper-cased texts, which is what the
//   machine allows;
// - one type-ahead keystroke whose only match is the last of 32767 items, beside a QLineEdit
//   with an inline QCompleter, beside a QLineEdit that completes without looking anything up,
//   and beside a plain loop of startsWith over the upper-cased texts;
// - recording a pick with 10,000 stored texts, and loading them, beside QSettings;
// - opening the drop-down list of 32767 items, beside a QComboBox of the same texts.
// Each timed step also runs the event loop once, so that work the views defer is counted.
#include "BenchSupport.h"

#include <Quillkit/Hosting/ComponentHost.h>
#include <Quillkit/Hosting/HostForm.h>
#include <Quillkit/Hosting/ServerRegistration.h>
#include <Quillkit/System/SettingsStore.h>
#include <Quillkit/Value/Conversions.h>
#include <Quillkit/Value/Pattern.h>
#include <Quillkit/Value/RuntimeError.h>
#include <Quillkit/Value/TextServices.h>

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using namespace platform;

constexpr DispId ClearId = 0x60030007;
constexpr DispId AddItemId = 0x60030008;
constexpr DispId ComboBoxId = 0x68030002;
constexpr DispId ListBoxId = 0x68030001;

constexpr int LargeCount = 32767;
constexpr int StoredTexts = 10000;

const QStringList &itemsOf(int count)
{
    static const QStringList demo = bench::demoItems(5000);
    static const QStringList large = bench::demoItems(LargeCount - 5);
    return count == LargeCount ? large : demo;
}

// The large list with a last item that no other item shares a first letter with.
const QStringList &largeItemsEndingInZ()
{
    static const QStringList items = [] {
        QStringList all = itemsOf(LargeCount);
        all.last() = QStringLiteral("Zebra");
        return all;
    }();
    return items;
}

// The host: a shown form in a registry and settings store of its own.
struct Host
{
    ComponentHost host;
    HostForm form {host, QStringLiteral("BenchForm")};
    int placed = 0;

    // A new control, alone on the form: the ones placed before are hidden, so that no
    // benchmark paints another's controls.
    ControlSite &place()
    {
        clear();
        return form.addControl(QStringLiteral("Quillkit.QuillComboBox"),
            QStringLiteral("QuillComboBox%1").arg(++placed), QRectF(0, 0, 3270, 2385));
    }
    void clear()
    {
        for (const auto &site : form.sites())
            site->setVisible(false);
    }
};
Host *theHost = nullptr;

void runEventLoopOnce()
{
    QCoreApplication::processEvents();
}

void fill(ControlSite &site, const QStringList &items)
{
    for (const QString &item : items)
        site.control()->invoke(AddItemId, InvokeKind::Method, {Variant(item)});
}

QString storedValue(int texts)
{
    QString value;
    for (int i = 0; i < texts; ++i)
        value += QStringLiteral("Selection %1|%2|").arg(i).arg(i % 97 + 1);
    return value;
}

void storeSelections(const QString &value)
{
    SaveSetting(QStringLiteral("QuillComboBox"), QStringLiteral("Parametros"),
        QStringLiteral("Selecciones"), value);
}

// --- Filling the list ---

void BM_QuillComboBox_AddItem(benchmark::State &state)
{
    storeSelections(QString());
    const QStringList &items = itemsOf(int(state.range(0)));
    std::vector<Args> calls;
    for (const QString &item : items)
        calls.push_back({Variant(item)});
    ControlSite &site = theHost->place();
    const DispatchPtr control = site.control();
    for (auto _ : state) {
        state.PauseTiming();
        control->invoke(ClearId, InvokeKind::Method, {});
        runEventLoopOnce();
        state.ResumeTiming();
        for (const Args &args : calls)
            control->invoke(AddItemId, InvokeKind::Method, args);
        runEventLoopOnce();
    }
    const DispatchPtr combo = control->invoke(ComboBoxId, InvokeKind::PropertyGet, {}).object();
    state.counters["items"] = toInteger(combo->get(QStringLiteral("ListCount")));
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(BM_QuillComboBox_AddItem)
    ->Arg(5005)
    ->Arg(LargeCount)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Baseline_QComboBox_AddItem(benchmark::State &state)
{
    theHost->clear();
    const QStringList &items = itemsOf(int(state.range(0)));
    QComboBox combo(theHost->form.window());
    combo.setEditable(true);
    combo.show();
    for (auto _ : state) {
        state.PauseTiming();
        combo.clear();
        runEventLoopOnce();
        state.ResumeTiming();
        for (const QString &item : items)
            combo.addItem(item);
        runEventLoopOnce();
    }
    state.counters["items"] = combo.count();
    state.SetItemsProcessed(state.iterations() * items.size());
}
BENCHMARK(BM_Baseline_QComboBox_AddItem)
    ->Arg(5005)
    ->Arg(LargeCount)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// --- One change of the search text over 32767 items ---

// Pairs of search texts a change alternates between, with about the same number of results.
struct SearchCase
{
    const char *name;
    QString first, second;
};
const SearchCase SearchCases[] = {
    {"one in seven (A, U)", QStringLiteral("a"), QStringLiteral("u")},
    {"one in five, a pattern (?B?, ?C?)", QStringLiteral("?b?"), QStringLiteral("?c?")},
    {"one in four (B, C)", QStringLiteral("b"), QStringLiteral("c")},
    {"nothing, frequent first letter (B1, C1)", QStringLiteral("b1"), QStringLiteral("c1")},
    {"nothing, absent first letter (ZZ, ZY)", QStringLiteral("zz"), QStringLiteral("zy")},
};

void BM_QuillComboBox_Search(benchmark::State &state)
{
    const SearchCase &c = SearchCases[state.range(0)];
    state.SetLabel(c.name);
    storeSelections(QString());
    ControlSite &site = theHost->place();
    fill(site, itemsOf(LargeCount));
    const DispatchPtr results
        = site.control()->invoke(ListBoxId, InvokeKind::PropertyGet, {}).object();
    // The user opens the panel and types into the search box.
    site.widget()->findChild<QPushButton *>(QStringLiteral("cmdBuscar"))->click();
    auto *search = site.widget()->findChild<QLineEdit *>(QStringLiteral("txtBuscar"));
    runEventLoopOnce();
    bool second = false;
    for (auto _ : state) {
        search->setText(second ? c.second : c.first);
        runEventLoopOnce();
        second = !second;
    }
    search->setText(c.first);
    state.counters["results_first"] = toInteger(results->get(QStringLiteral("ListCount")));
    state.counters["selected"] = toInteger(results->get(QStringLiteral("ListIndex")));
    search->setText(c.second);
    state.counters["results_second"] = toInteger(results->get(QStringLiteral("ListCount")));
    site.widget()->findChild<QPushButton *>(QStringLiteral("cmdBuscar"))->click();
}
BENCHMARK(BM_QuillComboBox_Search)
    ->DenseRange(0, int(std::size(SearchCases)) - 1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_Baseline_SortFilterProxy_Search(benchmark::State &state)
{
    theHost->clear();
    const SearchCase &c = SearchCases[state.range(0)];
    state.SetLabel(c.name);
    QStringListModel source(itemsOf(LargeCount));
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&source);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    QListView view(theHost->form.window());
    view.setUniformItemSizes(true);
    view.setModel(&proxy);
    view.setGeometry(0, 24, 218, 134);
    view.show();
    runEventLoopOnce();
    // The proxy's wildcard filter is the nearest to the control's pattern.
    const bool pattern = c.first.contains(u'?');
    const auto filter = [&](const QString &text) {
        if (pattern)
            proxy.setFilterWildcard(QStringLiteral("*") + text + QStringLiteral("*"));
        else
            proxy.setFilterFixedString(text);
        if (proxy.rowCount() > 0)
            view.setCurrentIndex(proxy.index(0, 0));
    };
    bool second = false;
    for (auto _ : state) {
        filter(second ? c.second : c.first);
        runEventLoopOnce();
        second = !second;
    }
    filter(c.first);
    state.counters["results_first"] = proxy.rowCount();
    filter(c.second);
    state.counters["results_second"] = proxy.rowCount();
}
BENCHMARK(BM_Baseline_SortFilterProxy_Search)
    ->DenseRange(0, int(std::size(SearchCases)) - 1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// What one search costs without a widget: one pass over the upper-cased items, each match's
// index pushed into a reserved vector. A search text without pattern elements is containment;
// any other is the compiled pattern "*text*".
void BM_Baseline_PlainScan_Search(benchmark::State &state)
{
    theHost->clear();
    const SearchCase &c = SearchCases[state.range(0)];
    state.SetLabel(c.name);
    std::vector<QString> upper;
    for (const QString &item : itemsOf(LargeCount))
        upper.push_back(upperCase(item));
    struct Query
    {
        QString text;
        std::optional<WildcardPattern> pattern;
    };
    const auto compile = [](const QString &typed) {
        Query query {upperCase(typed), std::nullopt};
        for (const char16_t element : {u'*', u'?', u'#', u'['}) {
            if (query.text.contains(QChar(element))) {
                query.pattern.emplace(QStringLiteral("*") + query.text + QStringLiteral("*"));
                break;
            }
        }
        return query;
    };
    const Query queries[2] = {compile(c.first), compile(c.second)};
    std::vector<int> found;
    found.reserve(upper.size());
    const auto scan = [&](const Query &query) {
        found.clear();
        const int count = int(upper.size());
        if (query.pattern) {
            for (int i = 0; i < count; ++i) {
                if (query.pattern->matches(upper[size_t(i)]))
                    found.push_back(i);
            }
        } else {
            for (int i = 0; i < count; ++i) {
                if (QStringView(upper[size_t(i)]).contains(query.text))
                    found.push_back(i);
            }
        }
        benchmark::DoNotOptimize(found.data());
        benchmark::ClobberMemory();
    };
    bool second = false;
    for (auto _ : state) {
        scan(queries[second ? 1 : 0]);
        second = !second;
    }
    scan(queries[0]);
    state.counters["results_first"] = double(found.size());
    scan(queries[1]);
    state.counters["results_second"] = double(found.size());
}
BENCHMARK(BM_Baseline_PlainScan_Search)
    ->DenseRange(0, int(std::size(SearchCases)) - 1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// --- One type-ahead keystroke ---

void typeKey(QWidget *edit)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QCoreApplication::sendEvent(edit, &release);
}

void BM_QuillComboBox_TypeAhead(benchmark::State &state)
{
    storeSelections(QString());
    ControlSite &site = theHost->place();
    fill(site, largeItemsEndingInZ());
    const DispatchPtr combo
        = site.control()->invoke(ComboBoxId, InvokeKind::PropertyGet, {}).object();
    QLineEdit *edit
        = site.widget()->findChild<QWidget *>(QStringLiteral("cmbCombo"))->findChild<QLineEdit *>();
    runEventLoopOnce();
    for (auto _ : state) {
        edit->selectAll();
        typeKey(edit);
        runEventLoopOnce();
    }
    if (toText(combo->get(QStringLiteral("Text"))) != QStringLiteral("Zebra"))
        state.SkipWithError("the keystroke did not complete to the last item");
}
BENCHMARK(BM_QuillComboBox_TypeAhead)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The toolkit's own keystroke with a completion that costs nothing: a line edit in the combo
// box's place, opaque as the combo box's own, that sets the item and selects its completed part
// on every edit without looking anything up.
void BM_Baseline_LineEdit_TypeAhead(benchmark::State &state)
{
    ControlSite &site = theHost->place();
    QLineEdit *comboEdit
        = site.widget()->findChild<QWidget *>(QStringLiteral("cmbCombo"))->findChild<QLineEdit *>();
    QLineEdit edit(comboEdit->parentWidget());
    edit.setGeometry(comboEdit->geometry());
    edit.setFont(comboEdit->font());
    edit.setAttribute(Qt::WA_OpaquePaintEvent);
    comboEdit->hide();
    edit.show();
    QObject::connect(&edit, &QLineEdit::textEdited, &edit, [&edit] {
        edit.setText(QStringLiteral("Zebra"));
        edit.setSelection(1, 4);
    });
    runEventLoopOnce();
    for (auto _ : state) {
        edit.selectAll();
        typeKey(&edit);
        runEventLoopOnce();
    }
    if (edit.selectedText() != QStringLiteral("ebra"))
        state.SkipWithError("the keystroke did not complete to the item");
}
BENCHMARK(BM_Baseline_LineEdit_TypeAhead)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Baseline_QCompleter_TypeAhead(benchmark::State &state)
{
    theHost->clear();
    QStringListModel model(largeItemsEndingInZ());
    QLineEdit edit(theHost->form.window());
    QCompleter completer(&model);
    completer.setCompletionMode(QCompleter::InlineCompletion);
    completer.setCaseSensitivity(Qt::CaseInsensitive);
    edit.setCompleter(&completer);
    edit.show();
    // The line edit hears its completer only while it has the focus.
    QApplication::setActiveWindow(theHost->form.window());
    edit.setFocus();
    runEventLoopOnce();
    for (auto _ : state) {
        // A fresh model each time: the completer would answer a prefix it saw from its cache.
        state.PauseTiming();
        completer.setModel(nullptr);
        completer.setModel(&model);
        state.ResumeTiming();
        edit.selectAll();
        typeKey(&edit);
        runEventLoopOnce();
    }
    // The completer keeps the letter case typed.
    if (edit.text().compare(QStringLiteral("Zebra"), Qt::CaseInsensitive) != 0)
        state.SkipWithError("the keystroke did not complete to the last item");
}
BENCHMARK(BM_Baseline_QCompleter_TypeAhead)->Unit(benchmark::kMicrosecond)->UseRealTime();

// What finding the completion costs without an index or a widget: startsWith over the
// upper-cased items in order, up to the only match, the last.
void BM_Baseline_PlainPrefixScan_TypeAhead(benchmark::State &state)
{
    theHost->clear();
    std::vector<QString> upper;
    for (const QString &item : largeItemsEndingInZ())
        upper.push_back(upperCase(item));
    const QString typed = upperCase(QStringLiteral("z"));
    int found = -1;
    for (auto _ : state) {
        found = -1;
        const int count = int(upper.size());
        for (int i = 0; i < count; ++i) {
            if (QStringView(upper[size_t(i)]).startsWith(typed)) {
                found = i;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    if (found != int(upper.size()) - 1)
        state.SkipWithError("the scan did not stop at the last item");
}
BENCHMARK(BM_Baseline_PlainPrefixScan_TypeAhead)->Unit(benchmark::kMicrosecond)->UseRealTime();

// --- Remembered selections: 10,000 stored texts ---

void BM_QuillComboBox_RememberSelection(benchmark::State &state)
{
    storeSelections(storedValue(StoredTexts));
    ControlSite &site = theHost->place();
    fill(site, {QStringLiteral("Selection 5000")});
    const DispatchPtr combo
        = site.control()->invoke(ComboBoxId, InvokeKind::PropertyGet, {}).object();
    const int16_t item = int16_t(toInteger(combo->get(QStringLiteral("ListCount"))) - 1);
    // Each pick of the item records it: the count goes up and the whole value is written.
    for (auto _ : state)
        combo->let(QStringLiteral("ListIndex"), Variant(item));
    state.counters["stored_kb"] = double(GetSetting(QStringLiteral("QuillComboBox"),
                                      QStringLiteral("Parametros"), QStringLiteral("Selecciones"))
                                             .size())
        * 2 / 1024;
}
BENCHMARK(BM_QuillComboBox_RememberSelection)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Baseline_QSettings_Write(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("baseline.ini"));
    const QString value = storedValue(StoredTexts);
    for (auto _ : state) {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Parametros/Selecciones"), value);
        settings.sync();
    }
}
BENCHMARK(BM_Baseline_QSettings_Write)->Unit(benchmark::kMillisecond)->UseRealTime();

// The store's own rewrite of the same value, which every recorded pick includes.
void BM_SettingsStore_SaveSetting(benchmark::State &state)
{
    const QString value = storedValue(StoredTexts);
    bool other = false;
    for (auto _ : state) {
        storeSelections(other ? value + QStringLiteral("x|1|") : value);
        other = !other;
    }
}
BENCHMARK(BM_SettingsStore_SaveSetting)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QuillComboBox_LoadRemembered(benchmark::State &state)
{
    storeSelections(storedValue(StoredTexts));
    ControlSite &site = theHost->place();
    // Initialize is where the control loads the stored value, ranks it and rebuilds its list.
    const std::shared_ptr<UserControl> control = site.userControl();
    for (auto _ : state)
        control->UserControl_Initialize();
    const DispatchPtr combo
        = site.control()->invoke(ComboBoxId, InvokeKind::PropertyGet, {}).object();
    state.counters["entries"] = toInteger(combo->get(QStringLiteral("ListCount")));
}
BENCHMARK(BM_QuillComboBox_LoadRemembered)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Baseline_QSettings_ReadAndSplit(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("baseline.ini"));
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Parametros/Selecciones"), storedValue(StoredTexts));
    }
    qsizetype parts = 0;
    for (auto _ : state) {
        QSettings settings(path, QSettings::IniFormat);
        const QStringList split
            = settings.value(QStringLiteral("Parametros/Selecciones")).toString().split(u'|');
        parts = split.size();
        benchmark::DoNotOptimize(parts);
    }
    state.counters["parts"] = double(parts);
}
BENCHMARK(BM_Baseline_QSettings_ReadAndSplit)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- Opening the drop-down list of 32767 items ---

void BM_QuillComboBox_OpenList(benchmark::State &state)
{
    storeSelections(QString());
    ControlSite &site = theHost->place();
    fill(site, itemsOf(LargeCount));
    auto *combo = site.widget()->findChild<QComboBox *>(QStringLiteral("cmbCombo"));
    runEventLoopOnce();
    for (auto _ : state) {
        combo->showPopup();
        runEventLoopOnce();
        state.PauseTiming();
        combo->hidePopup();
        runEventLoopOnce();
        state.ResumeTiming();
    }
    state.counters["items"] = combo->count();
}
BENCHMARK(BM_QuillComboBox_OpenList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Baseline_QComboBox_OpenList(benchmark::State &state)
{
    theHost->clear();
    QComboBox combo(theHost->form.window());
    combo.setEditable(true);
    combo.addItems(itemsOf(LargeCount));
    combo.setGeometry(0, 0, 193, 21);
    combo.show();
    runEventLoopOnce();
    for (auto _ : state) {
        combo.showPopup();
        runEventLoopOnce();
        state.PauseTiming();
        combo.hidePopup();
        runEventLoopOnce();
        state.ResumeTiming();
    }
    state.counters["items"] = combo.count();
}
BENCHMARK(BM_Baseline_QComboBox_OpenList)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (!bench::registerQuillkitIn(folder, QStringLiteral(QUILLKIT_MODULE)))
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    {
        // Controls and form go before the application.
        Host host;
        host.form.setClientSize(4000, 3000);
        host.form.Show();
        theHost = &host;
        benchmark::RunSpecifiedBenchmarks();
        theHost = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
