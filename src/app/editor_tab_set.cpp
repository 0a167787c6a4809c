// TTabSetEdit.
#include "app/editor_tab_set.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>

// The lines of the tab set: names and objects here, the tabs on the bar follow them.
class TTabSetEdit::TTabList : public TStrings {
public:
    explicit TTabList(TTabSetEdit& Bar) : bar_(Bar) {}

    int Count() const override { return int(names_.size()); }
    void Insert(int Index, const QString& S) override
    {
        names_.insert(names_.begin() + Index, S);
        objects_.insert(objects_.begin() + Index, nullptr);
        bar_.syncing_ = true;
        bar_.insertTab(Index, S);
        bar_.syncing_ = false;
        if (Index <= bar_.tabIndex_)
            ++bar_.tabIndex_;
        bar_.SyncCurrent();
    }
    void Delete(int Index) override
    {
        names_.erase(names_.begin() + Index);
        objects_.erase(objects_.begin() + Index);
        bar_.syncing_ = true;
        bar_.removeTab(Index);
        bar_.syncing_ = false;
        if (Index < bar_.tabIndex_ || bar_.tabIndex_ >= Count())
            --bar_.tabIndex_;
        bar_.SyncCurrent();
    }
    void Clear() override
    {
        while (Count() > 0)
            Delete(Count() - 1);
    }

protected:
    QString Get(int Index) const override { return names_.at(std::size_t(Index)); }
    void Put(int Index, const QString& S) override
    {
        names_.at(std::size_t(Index)) = S;
        bar_.setTabText(Index, S);
    }
    TObject* GetObject(int Index) const override { return objects_.at(std::size_t(Index)); }
    void PutObject(int Index, TObject* AObject) override { objects_.at(std::size_t(Index)) = AObject; }

private:
    TTabSetEdit& bar_;
    std::vector<QString> names_;
    std::vector<TObject*> objects_;
};

TTabSetEdit::TTabSetEdit(QWidget* Parent) : QTabBar(Parent), tabs_(std::make_unique<TTabList>(*this))
{
    setShape(QTabBar::RoundedSouth);
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    connect(this, &QTabBar::currentChanged, this, [this](int Index) {
        if (!syncing_)
            SetTabIndex(Index);
    });
}

TTabSetEdit::~TTabSetEdit() = default;

TStrings& TTabSetEdit::Tabs() const
{
    return *tabs_;
}

void TTabSetEdit::SetTabIndex(int Tab)
{
    if (Tab == tabIndex_ || Tab < -1 || Tab >= tabs_->Count())
        return;
    if (OnChange)
        OnChange(Tab);
    tabIndex_ = Tab;
    SyncCurrent();
    update();
    if (OnChanged)
        OnChanged();
}

void TTabSetEdit::SyncCurrent()
{
    if (tabIndex_ < 0 || tabIndex_ == currentIndex())
        return;
    syncing_ = true;
    setCurrentIndex(tabIndex_);
    syncing_ = false;
}

void TTabSetEdit::Refresh()
{
    // Setting the icon size marks the bar's layout for a new pass.
    setIconSize(iconSize());
    update();
}

QSize TTabSetEdit::tabSizeHint(int Index) const
{
    const int height = fontMetrics().height() + 6;
    const int width = OnMeasureTab ? OnMeasureTab(Index) : QTabBar::tabSizeHint(Index).width();
    return {width, height};
}

void TTabSetEdit::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    for (int i = 0; i < count(); ++i) {
        const QRect rect = tabRect(i);
        if (!rect.isValid())
            continue;
        const bool selected = i == tabIndex_;
        // The selected tab joins the editor above it; the others lie behind it.
        painter.fillRect(rect, colours.color(selected ? QPalette::Base : QPalette::Button));
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        if (!selected)
            painter.drawLine(rect.topLeft(), rect.topRight());
        painter.save();
        if (OnDrawTab)
            OnDrawTab(painter, i, rect, selected);
        else
            painter.drawText(rect, Qt::AlignCenter, tabs_->Strings(i));
        painter.restore();
    }
}

void TTabSetEdit::mousePressEvent(QMouseEvent* Event)
{
    if (OnMouseDown)
        OnMouseDown(Event);
    if (Event->button() == Qt::LeftButton) {
        const int tab = tabAt(Event->position().toPoint());
        if (tab >= 0)
            SetTabIndex(tab);
        return;
    }
    QTabBar::mousePressEvent(Event);
}
