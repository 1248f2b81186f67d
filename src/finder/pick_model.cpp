#include "finder/pick_model.h"

#include "framework/collections.h"
#include "model/categories.h"
#include "ui/drawing/drawing.h"
#include "ui/drawing/glyph_table.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

void TPickModel::Fill(const TCategory* root, const TSet* candidates, bool alphabetical) {
    beginResetModel();
    fRoot = root;
    fCandidates = candidates;
    fAlphabetical = alphabetical;
    fRows.clear();
    if (root) {
        fRows.push_back({const_cast<TCategory*>(root), 0});
        if (alphabetical) {
            struct Named {
                QString key;
                TCategory* category;
            };
            std::vector<Named> named;
            TCategoryIterator it(root);
            it.Next(); // the root itself comes first whatever its name
            while (TCategory* c = it.Next())
                named.push_back({FromCp1252(c->Name), c});
            // Equal names keep their tree order.
            std::stable_sort(named.begin(), named.end(), [](const Named& a, const Named& b) {
                return QString::compare(a.key, b.key, Qt::CaseInsensitive) < 0;
            });
            fRows.reserve(named.size() + 1);
            for (const Named& n : named)
                fRows.push_back({n.category, 0});
        } else {
            for (const auto& child : root->Children)
                fRows.push_back({child.get(), 1});
        }
    }
    endResetModel();
}

int TPickModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fRows.size());
}

TCategory* TPickModel::Category(int row) const {
    if (row < 0 || row >= static_cast<int>(fRows.size())) return nullptr;
    return fRows[static_cast<std::size_t>(row)].category;
}

int TPickModel::RowOf(const TCategory* category) const {
    for (std::size_t i = 0; i < fRows.size(); ++i)
        if (fRows[i].category == category) return static_cast<int>(i);
    return -1;
}

bool TPickModel::IsCandidate(const TCategory* category) const {
    return fCandidates && category && fCandidates->Find(category);
}

bool TPickModel::CanOpen(int row) const {
    const TCategory* c = Category(row);
    return !fAlphabetical && row > 0 && c && !c->Children.empty();
}

bool TPickModel::IsExpanded(int row) const {
    const TCategory* c = Category(row);
    if (!c || c->Children.empty() || row + 1 >= static_cast<int>(fRows.size())) return false;
    return fRows[static_cast<std::size_t>(row) + 1].category == c->Children.front().get();
}

void TPickModel::Toggle(int row) {
    if (!CanOpen(row)) return;
    const TCategory* c = Category(row);
    const int depth = fRows[static_cast<std::size_t>(row)].depth;
    const auto at = static_cast<std::ptrdiff_t>(row) + 1;
    if (IsExpanded(row)) {
        int last = row;
        while (last + 1 < static_cast<int>(fRows.size()) &&
               fRows[static_cast<std::size_t>(last) + 1].depth > depth)
            ++last;
        beginRemoveRows({}, row + 1, last);
        fRows.erase(fRows.begin() + at, fRows.begin() + last + 1);
        endRemoveRows();
    } else {
        const int count = static_cast<int>(c->Children.size());
        beginInsertRows({}, row + 1, row + count);
        std::vector<Row> children;
        for (const auto& child : c->Children)
            children.push_back({child.get(), depth + 1});
        fRows.insert(fRows.begin() + at, children.begin(), children.end());
        endInsertRows();
    }
    emit dataChanged(index(row), index(row));
}

QVariant TPickModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    const TCategory* c = Category(row);
    if (!c) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return FromCp1252(c->Name);
    case Qt::AccessibleDescriptionRole: {
        QString what;
        if (CanOpen(row))
            what = IsExpanded(row) ? QStringLiteral("open") : QStringLiteral("closed");
        if (!IsCandidate(c)) {
            if (!what.isEmpty()) what += QStringLiteral(", ");
            what += QStringLiteral("no questions with the other choices");
        }
        return what;
    }
    case kCategoryRole:
        return QVariant::fromValue(static_cast<void*>(const_cast<TCategory*>(c)));
    case kDepthRole:
        return fRows[static_cast<std::size_t>(row)].depth;
    case kCandidateRole:
        return IsCandidate(c);
    case kExpandedRole:
        return IsExpanded(row);
    default:
        return {};
    }
}

Qt::ItemFlags TPickModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void TPickDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const auto* model = qobject_cast<const TPickModel*>(index.model());
    const TCategory* c = model ? model->Category(index.row()) : nullptr;
    if (!c) return;
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& pal = option.palette;
    const QColor fill = pal.color(selected ? QPalette::Highlight : QPalette::Base);
    QColor ink = pal.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (!model->IsCandidate(c)) ink = pal.color(QPalette::Disabled, QPalette::Text);

    painter->save();
    painter->fillRect(r, fill);
    painter->setBrush(fill);
    painter->setPen(ink);
    QFont font = option.font;
    font.setBold(index.row() == 0);
    painter->setFont(font);
    const int top = r.top() + std::max(0, (r.height() - QFontMetrics(font).height()) / 2);
    if (model->Alphabetical()) {
        painter->drawText(QRect(r.left() + 2, top, r.width() - 2, r.height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromCp1252(c->Name));
    } else {
        const int depth = index.data(TPickModel::kDepthRole).toInt();
        DrawCategoryLabel(*painter, *c, top, r.left() + 2 + 20 * depth);
        if (!c->Children.empty() && depth > 0) {
            const int glyphX = model->IsExpanded(index.row()) ? kExpandedNodeX : kCollapsedNodeX;
            painter->drawPixmap(r.left() + 20 * depth - 8,
                                r.top() + (r.height() - kNodeGlyphSize) / 2, SymbolsBitmap(),
                                glyphX, 0, kNodeGlyphSize, kNodeGlyphSize);
        }
    }
    if (option.state & QStyle::State_HasFocus) {
        painter->setPen(QPen(pal.color(QPalette::Text), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TPickDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), std::max(13, QFontMetrics(option.font).height() + 1));
}
