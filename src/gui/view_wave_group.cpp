#include "gui/view_wave_group.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include "gui/keyboard_filter.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "gui/view_wave.h"
#include "platform/assertion.h"
#include "shell/wave_view_geometry.h"

namespace kalvora::gui {
namespace {

// Status panel 1 is laid out this wide while it shows a position over the waveform.
constexpr int kWavePositionPanelWidth = 120;

}  // namespace

TViewWaveGroup::TViewWaveGroup(TMDIChildWave& window, const TWaveViewProps& settings)
    : QSplitter(Qt::Horizontal), window_(window), settings_(settings) {
    setObjectName(QStringLiteral("ViewWaveGroup"));
    setChildrenCollapsible(false);
    setHandleWidth(3);
    setOpaqueResize(true);  // the views follow while the splitter is dragged
    first_ = new TViewWave(*this, this);
    first_->setObjectName(QStringLiteral("ViewFirst"));
    second_ = new TViewWave(*this, this);
    second_->setObjectName(QStringLiteral("ViewSecond"));
    addWidget(first_);
    addWidget(second_);
    // The first view keeps its width when the window is resized; the second takes the rest.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({1, 10000});
    setFocusProxy(second_);
    connect(this, &QSplitter::splitterMoved, this,
            [this](int, int) { Document().MarkShadowChanged(); });
    UpdateHandleColour();
}

TViewWaveGroup::~TViewWaveGroup() {
    StopVolume();
}

TUnitWave& TViewWaveGroup::Document() const {
    return window_.Wave();
}

TViewWave& TViewWaveGroup::View(int number) const {
    KALVORA_ASSERT(number == 1 || number == 2);
    return number == 1 ? *first_ : *second_;
}

void TViewWaveGroup::SetWaveSettings(const TWaveViewProps& settings) {
    settings_ = settings;
    kind_ = TWaveWindKind::waveWindWave;
    window_.ChannelsChanged();  // the icon follows the kind
    RepaintAll();
}

double TViewWaveGroup::SplitPosition() const {
    const double a = first_->width();
    const double b = second_->width();
    return a + b > 0 ? a / (a + b) : 0.0;
}

void TViewWaveGroup::SetSplitPosition(double position) {
    const int total = first_->width() + second_->width();
    const int firstWidth = FirstViewWidth(total, position);
    setSizes({firstWidth, total - firstWidth});
}

void TViewWaveGroup::ShowActive(bool active) {
    active_ = active;
    UpdateHandleColour();
}

QColor TViewWaveGroup::HandleColour() const {
    return active_ ? palette().color(QPalette::Active, QPalette::Highlight)
                   : palette().color(QPalette::Mid);
}

void TViewWaveGroup::UpdateHandleColour() {
    if (QSplitterHandle* bar = handle(1)) bar->update();
}

// The splitter between the views: a plain bar in the caption colour of the window's state.
class TViewWaveGroup::THandle : public QSplitterHandle {
  public:
    THandle(TViewWaveGroup& group) : QSplitterHandle(Qt::Horizontal, &group), group_(group) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), group_.HandleColour());
    }

  private:
    TViewWaveGroup& group_;
};

QSplitterHandle* TViewWaveGroup::createHandle() {
    return new THandle(*this);
}

void TViewWaveGroup::BeforeChange(std::int32_t begin, std::int32_t end) {
    first_->BeforeChange(begin, end);
    second_->BeforeChange(begin, end);
}

void TViewWaveGroup::AfterChange(std::int32_t begin, std::int32_t end) {
    first_->AfterChange(begin, end);
    second_->AfterChange(begin, end);
}

void TViewWaveGroup::RepaintSelection(std::int32_t oldFirst, std::int32_t oldSecond) {
    first_->RepaintSelection(oldFirst, oldSecond);
    second_->RepaintSelection(oldFirst, oldSecond);
}

void TViewWaveGroup::RepaintAll() {
    first_->RequestFullRepaint();
    second_->RequestFullRepaint();
}

void TViewWaveGroup::SetViewCursor(const QCursor& cursor) {
    first_->setCursor(cursor);
    second_->setCursor(cursor);
}

// The volume diagram's computation (TVolumeComputation) is owned here once the window can
// show it: StopVolume stops and awaits its worker, RestartVolume computes anew when the
// diagram is shown.
void TViewWaveGroup::StopVolume() {}

void TViewWaveGroup::RestartVolume() {
    RepaintAll();
}

void TViewWaveGroup::FillScene(TViewScene& out) const {
    const TUnitWave& document = Document();
    out.scene.sound = &document.TheSound();
    out.scene.firstEnd = document.FirstEnd();
    out.scene.secondEnd = document.SecondEnd();
    out.scene.settings = &settings_;
    out.scene.volume = nullptr;
    out.scene.userDrawing = document.UserDrawing();
    out.nodes.clear();
    if (document.UserDrawing()) {
        for (const TDrawNode& node : document.DrawNodes())
            out.nodes.push_back({node.position, node.value, node.hidden});
    }
    out.scene.nodes = out.nodes;
    out.scene.envelope = nullptr;
    if (settings_.DrawEnvelope && settings_.EnvelopeStrength != 0.0 && !document.UserDrawing()) {
        const TMDIChildWave* envelope = window_.Frame().WaveWindowNamed(settings_.EnvelopeName);
        if (envelope != nullptr) {
            const TUnitWave& wave = envelope->Wave();
            out.envelope.sound = &wave.TheSound();
            out.envelope.workBegin = wave.SelStart();
            out.envelope.workEnd = wave.SelEnd();
            out.envelope.settings = &envelope->Group().WaveSettings();
            out.envelope.volume = nullptr;
            out.scene.envelope = &out.envelope;
        }
    }
}

TWaveToolMode TViewWaveGroup::ToolMode() const {
    return window_.ToolMode();
}

void TViewWaveGroup::SetToolMode(TWaveToolMode mode) {
    window_.SetToolMode(mode);
}

// The key handler of the window: with Alt the keys work in the first view, otherwise in the
// second.
bool TViewWaveGroup::KeyPressed(const QKeyEvent& event) {
    const std::optional<Shortcut> key = ShortcutOfKeyEvent(event);
    if (!key) return false;
    TViewWave& view = key->alt ? *first_ : *second_;
    return WaveViewKey(Document(), view.Geometry(), key->key,
                       TInputModifiers{key->shift, key->ctrl, key->alt});
}

void TViewWaveGroup::ShowPosition(const std::string& text) {
    TStatusPanels& panels = window_.Frame().StatusPanels();
    panels.SetDesignedWidth(1, kWavePositionPanelWidth);
    panels.SetText(1, FromCore(text));
}

void TViewWaveGroup::ViewChanged(TViewWave& /*view*/) {
    Document().MarkShadowChanged();
}

}  // namespace kalvora::gui
