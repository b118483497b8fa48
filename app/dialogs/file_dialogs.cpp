#include "app/dialogs/file_dialogs.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "platform/ui/dialogs/folder_dialog.h"
#include "platform/ui/drawing/qt_text.h"
#include "platform/ui/windows/window_placement.h"

namespace app {
namespace {

// The parts of "a|b|c|d": descriptions at even, patterns at odd places.
std::vector<std::string> teile(const std::string& filter) {
    std::vector<std::string> out;
    size_t from = 0;
    for (;;) {
        const size_t bar = filter.find('|', from);
        out.push_back(filter.substr(from, bar == std::string::npos ? std::string::npos : bar - from));
        if (bar == std::string::npos) return out;
        from = bar + 1;
    }
}

// The dialog's date column as "dd.MM.yyyy hh:mm", whatever the desktop's
// locale is.
class DeutscheDaten : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && index.column() == 3) {
            if (auto* fs = qobject_cast<QFileSystemModel*>(sourceModel())) {
                const QDateTime t = fs->lastModified(mapToSource(index));
                return QLocale(QLocale::German, QLocale::Germany)
                    .toString(t, QStringLiteral("dd.MM.yyyy HH:mm"));
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

}  // namespace

std::string filterEndung(const std::string& filter, int index) {
    const std::vector<std::string> t = teile(filter);
    const size_t at = static_cast<size_t>(index) * 2 - 1;
    if (index < 1 || at >= t.size()) return {};
    const std::string& muster = t[at];  // "*.akt" (first pattern of a list)
    const std::string erstes = muster.substr(0, muster.find(';'));
    const size_t punkt = erstes.rfind('.');
    if (punkt == std::string::npos) return {};
    const std::string ext = erstes.substr(punkt + 1);
    return ext.find_first_of("*?") == std::string::npos ? ext : std::string();
}

std::string mitFilterEndung(const std::string& name, const std::string& filter, int index,
                            const std::string& defaultExt) {
    if (name.empty() || defaultExt.empty()) return name;
    const size_t slash = name.find_last_of("/\\");
    const std::string letzter = slash == std::string::npos ? name : name.substr(slash + 1);
    if (letzter.find('.') != std::string::npos) return name;
    const std::string ext = filterEndung(filter, index);
    return ext.empty() ? name : name + "." + ext;
}

std::string zeigeDateiDialog(QWidget* parent, const DateiFrage& frage, int& gewaehlt) {
    const std::vector<std::string> t = teile(frage.filter);
    QStringList namen;
    for (size_t i = 0; i < t.size(); i += 2) namen << ui::toQString(t[i]);
    QFileDialog d(parent);
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setProxyModel(new DeutscheDaten(&d));
    d.setAcceptMode(frage.speichern ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(frage.speichern ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setNameFilters(namen);
    d.resize(760, 440);
    if (!frage.titel.empty()) d.setWindowTitle(ui::toQString(frage.titel));
    // The date column of the detail view shows the whole date.
    for (QTreeView* v : d.findChildren<QTreeView*>())
        v->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    const int start = std::clamp(frage.filterIndex, 1, static_cast<int>(namen.size()));
    if (!namen.isEmpty()) d.selectNameFilter(namen[start - 1]);
    gewaehlt = start;
    // Qt appends the default suffix itself (and asks before overwriting the
    // full name): it follows the filter the user picks.
    auto folgen = [&](const QString& name) {
        gewaehlt = static_cast<int>(namen.indexOf(name)) + 1;
        if (!frage.defaultExt.empty())
            d.setDefaultSuffix(ui::toQString(filterEndung(frage.filter, gewaehlt)));
    };
    folgen(namen.value(start - 1));
    QObject::connect(&d, &QFileDialog::filterSelected, &d, folgen);
    ui::keepAboveProgram(d);
    if (!frage.vorschlag.empty()) d.selectFile(ui::toQString(frage.vorschlag));
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return {};
    return ui::pathFromDialog(d.selectedFiles().front()).value_or(std::string());
}

}  // namespace app
