// The notes panel with 100,000 items of the player's layer (made up: places
// marked visited or favourite, pins, half of them with a note of a few
// lines): the time of each keystroke in the text filter, from the key to
// the list painted again (the filter, the model's reset and the view's
// paint, with the events they post), typing a word one letter at a time
// and then clearing it, in several rounds; also the time of giving the
// panel the whole layer again, as after every edit.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_notes_panel [ITEMS]
#include "mymap/NotesPanel.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QAbstractItemView>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 9;

// Made-up French-looking words, the same every run.
struct Words {
    uint32_t state = 12345;
    uint32_t Next() { return state = state * 1664525u + 1013904223u; }
    std::string Word() {
        static const char* const kSyllables[] = {"ba", "lé", "mor", "quin", "tha", "vé", "ro", "sel", "dun", "èch",
                                                 "ar", "i",  "on",  "ou",   "brê", "ka", "nœ", "pil", "zu",  "far"};
        std::string word;
        for (uint32_t n = 2 + Next() % 3; n > 0; --n) word += kSyllables[(Next() >> 8) % 20];
        return word;
    }
    std::string Sentence(int words) {
        std::string text;
        for (int i = 0; i < words; ++i) text += (i ? " " : "") + Word();
        return text;
    }
};

CNoteItems MakeItems(int count) {
    Words words;
    CNoteItems items(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        CNoteItem& item = items[size_t(i)];
        const bool pin = words.Next() % 3 == 0;
        item.kind = pin ? CNoteItem::Kind::Pin : CNoteItem::Kind::Place;
        item.x = int32_t(words.Next() % 8000);
        item.y = int32_t(words.Next() % 6000);
        item.name = words.Word();
        item.name[0] = char(item.name[0] - 'a' + 'A');
        if (words.Next() % 2) item.name += " de " + words.Word();
        item.id = (pin ? "pin:" : "place:") + std::to_string(i);
        if (!pin) {
            item.visited = words.Next() % 2;
            item.favourite = words.Next() % 4 == 0;
        }
        if (words.Next() % 2 || (!pin && !item.visited && !item.favourite)) {
            for (int line = int(1 + words.Next() % 3); line > 0; --line)
                item.note += words.Sentence(int(5 + words.Next() % 10)) + "\n";
        }
        item.updated = 1'700'000'000'000 + int64_t(words.Next() % 100'000'000);
    }
    return items;
}

// Counts the paints of the list, to show that each keystroke's time holds
// one.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// One keystroke: the field's new text, then the events it posted, as the
// event loop would handle them (the list's layout and its paint).
double Keystroke(QApplication& app, CNotesPanel& panel, const QString& text) {
    return TimeMs([&] {
        panel.TextFilter()->setText(text);
        app.processEvents();
    });
}

void TypeRounds(QApplication& app, CNotesPanel& panel, const char* what, const QString& word) {
    PaintCounter counter;
    panel.View()->viewport()->installEventFilter(&counter);
    std::vector<std::vector<double>> times(size_t(word.size()) + 1);
    std::vector<int> rows(times.size());
    for (int round = 0; round < kRounds; ++round) {
        for (int n = 1; n <= word.size(); ++n) {
            times[size_t(n - 1)].push_back(Keystroke(app, panel, word.left(n)));
            rows[size_t(n - 1)] = panel.View()->model()->rowCount();
        }
        times.back().push_back(Keystroke(app, panel, QString()));
        rows.back() = panel.View()->model()->rowCount();
    }
    panel.View()->viewport()->removeEventFilter(&counter);
    std::printf("\n%s, %d rounds, %.2f paints of the list a keystroke\n%-12s %8s %10s %10s\n", what, kRounds,
                double(counter.paints) / double(kRounds * (word.size() + 1)), "text", "rows", "median ms",
                "slowest ms");
    for (size_t i = 0; i < times.size(); ++i) {
        const QString text = i < size_t(word.size()) ? word.left(int(i) + 1) : QStringLiteral("(cleared)");
        std::printf("%-12s %8d %10.2f %10.2f\n", text.toUtf8().constData(), rows[i], Median(times[i]),
                    *std::max_element(times[i].begin(), times[i].end()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100'000;
    const CNoteItems items = MakeItems(count);
    size_t bytes = 0;
    for (const CNoteItem& item : items) bytes += item.name.size() + item.note.size();

    CNotesPanel panel;
    panel.resize(420, 900);
    panel.show();
    app.processEvents();
    // After an edit: a mark changed (every name as it was), or a pin added
    // (the order by name made again).
    CNoteItems marked = items, added = items;
    marked[0].visited = !marked[0].visited;
    marked[0].updated += 1;
    added.push_back(items[1]);
    added.back().id = "pin:added";
    added.back().name = "Ajout";
    panel.SetItems(items, count);
    app.processEvents();
    std::vector<double> marking, adding;
    for (int i = 0; i < kRounds; ++i) {
        marking.push_back(TimeMs([&] {
            panel.SetItems(i % 2 ? items : marked, count);
            app.processEvents();
        }));
    }
    for (int i = 0; i < kRounds; ++i) {
        adding.push_back(TimeMs([&] {
            panel.SetItems(i % 2 ? items : added, count);
            app.processEvents();
        }));
    }
    std::printf(
        "%d items, %.1f MB of names and notes; the layer given again after an edit, median (slowest):\n"
        "  a mark changed %.2f ms (%.2f), a pin added %.2f ms (%.2f)\n",
        count, double(bytes) / 1e6, Median(marking), *std::max_element(marking.begin(), marking.end()), Median(adding),
        *std::max_element(adding.begin(), adding.end()));
    panel.SetItems(items, count);

    {
        // The parts of that, and the filter alone, without the list.
        std::vector<double> preparing, ordering, copying;
        for (int i = 0; i < kRounds; ++i) {
            CNotesFilter fresh;
            preparing.push_back(TimeMs([&] { fresh.SetItems(items); }));
            ordering.push_back(TimeMs([&] { fresh.Rows(NoteKind::All, "", NoteOrder::ByName); }));
            copying.push_back(TimeMs([&] { CNoteItems copy = items; }));
        }
        CNotesFilter filter;
        filter.SetItems(items);
        std::printf("of which: folding every text %.2f ms, the order by name %.2f ms, a copy of the items %.2f ms\n",
                    Median(preparing), Median(ordering), Median(copying));
        std::printf("the filter alone, by name, every kind:");
        for (const char* text : {"m", "mo", "mor", "moré", "morél", ""}) {
            std::vector<double> times;
            for (int i = 0; i < kRounds; ++i)
                times.push_back(TimeMs([&] { filter.Rows(NoteKind::All, text, NoteOrder::ByName); }));
            std::printf(" \"%s\" %.2f ms", text, Median(times));
        }
        std::printf("\n");
    }

    TypeRounds(app, panel, "by name, every kind", QString::fromUtf8("morél"));
    panel.SortChoice()->setCurrentIndex(1);
    TypeRounds(app, panel, "by date, every kind", QString::fromUtf8("morél"));
    panel.KindFilter(CNotesPanel::PinsBox)->setChecked(false);
    panel.View()->setCurrentIndex(panel.View()->model()->index(10, 0));
    TypeRounds(app, panel, "by date, no pins, a row selected", QString::fromUtf8("ba"));
    return 0;
}
