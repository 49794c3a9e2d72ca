#include "gui/view_wave_group.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

#include "gui/keyboard_filter.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/qt_text.h"
#include "gui/status_panels.h"
#include "gui/time_ruler_widget.h"
#include "gui/view_wave.h"
#include "platform/assertion.h"
#include "platform/messages.h"
#include "platform/qt/qt_main_thread.h"
#include "shell/volume_position_text.h"
#include "shell/wave_view_geometry.h"
#include "volume/volume_painter.h"

namespace kalvora::gui {
namespace {

// Status panel 1 is laid out this wide while it shows a position over the waveform.
constexpr int kWavePositionPanelWidth = 120;
// ... and this wide over the volume diagram.
constexpr int kVolumePositionPanelWidth = 230;

}  // namespace

// The volume diagram as the views paint it: the group's arrays, settings and sound length.
class TViewWaveGroup::TGroupVolumePainter final : public TVolumeDiagramPainter {
  public:
    explicit TGroupVolumePainter(const TViewWaveGroup& group) : group_(group) {}

    void DrawVolume(platform::Canvas& canvas, const platform::Rect& band,
                    const platform::Rect& update, double first, double last, bool inverted,
                    const std::optional<TFaint>& faint) const override {
        const auto n = static_cast<std::int32_t>(group_.Document().GetValues());
        const TVolumeArrays arrays = group_.Volume().Arrays();
        if (faint) {
            TVoldViewProps faded = group_.VolumeSettings();
            faded.BlendToward(faint->background, faint->strength);
            kalvora::DrawVolume(canvas, band, update, first, last, n, arrays, faded, inverted);
        } else {
            kalvora::DrawVolume(canvas, band, update, first, last, n, arrays,
                                group_.VolumeSettings(), inverted);
        }
    }
    platform::Color CursorColor() const override { return group_.VolumeSettings().CursorColor; }
    platform::Color BackgroundColor() const override {
        return group_.VolumeSettings().BackgroundColor;
    }

  private:
    const TViewWaveGroup& group_;
};

TViewWaveGroup::TViewWaveGroup(TMDIChildWave& window, const TWaveViewProps& settings)
    : QSplitter(Qt::Horizontal),
      window_(window),
      settings_(settings),
      volumeSettings_(window.Frame().DefaultVoldViewProps()),
      mainThread_(std::make_unique<platform::QtMainThread>()),
      volume_(std::make_unique<TVolumeComputation>(
          *mainThread_, [this](int channel, std::int32_t from,
                               std::int32_t to) { VolumeColumnsDone(channel, from, to); })),
      volumePainter_(std::make_unique<TGroupVolumePainter>(*this)) {
    setObjectName(QStringLiteral("ViewWaveGroup"));
    setChildrenCollapsible(false);
    setHandleWidth(3);
    setOpaqueResize(true);  // the views follow while the splitter is dragged
    first_ = new TViewWave(*this, this);
    first_->setObjectName(QStringLiteral("ViewFirst"));
    second_ = new TViewWave(*this, this);
    second_->setObjectName(QStringLiteral("ViewSecond"));
    // Each view with its time ruler above it.
    addWidget(ViewWithRuler(*first_, this));
    addWidget(ViewWithRuler(*second_, this));
    // The first view keeps its width when the window is resized; the second takes the rest.
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({1, 10000});
    setFocusProxy(second_);
    // The waves that use this one as their envelope show its finished diagram.
    volume_->SetEndedHandler([this] { window_.Frame().RepaintEnvelopeUsers(Document().Name()); });
    connect(this, &QSplitter::splitterMoved, this,
            [this](int, int) { Document().MarkShadowChanged(); });
    UpdateHandleColour();
}

TViewWaveGroup::~TViewWaveGroup() {
    StopVolume();
    volume_.reset();  // before the main thread it posts to
}

const TVolumeDiagramPainter& TViewWaveGroup::VolumePainter() const {
    return *volumePainter_;
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
    StopVolume();
    window_.ChannelsChanged();  // the icon follows the kind
    RepaintAll();
}

void TViewWaveGroup::SetVolumeSettings(const TVoldViewProps& settings) {
    const bool recompute =
        kind_ != TWaveWindKind::waveWindVolume || volumeSettings_.NeedsRecompute(settings);
    volumeSettings_ = settings;
    kind_ = TWaveWindKind::waveWindVolume;
    window_.ChannelsChanged();
    if (recompute) {
        RestartVolume();
    } else {
        RepaintAll();
    }
    window_.Frame().RepaintEnvelopeUsers(Document().Name());
}

void TViewWaveGroup::TakeSettingsOf(const TViewWaveGroup& source) {
    volumeSettings_ = source.VolumeSettings();
    if (source.Kind() == TWaveWindKind::waveWindVolume) {
        settings_ = source.WaveSettings();
        SetVolumeSettings(source.VolumeSettings());
    } else {
        SetWaveSettings(source.WaveSettings());
    }
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

void TViewWaveGroup::StopVolume() {
    if (volume_) volume_->Stop();
}

// A sound without samples only stops the worker; the views then show the background.
void TViewWaveGroup::RestartVolume() {
    if (kind_ == TWaveWindKind::waveWindVolume) {
        const std::optional<std::string> problem =
            volume_->Restart(Document().TheSound(), volumeSettings_);
        if (problem) {
            platform::ShowMessage(*problem, platform::caption::error, platform::MessageIcon::stop);
        }
    }
    RepaintAll();
}

// Only the strips of the newly completed columns are painted: a column of an array w wide
// stands for the samples column·n/w .. (column + 1)·n/w.
void TViewWaveGroup::VolumeColumnsDone(int channel, std::int32_t from, std::int32_t to) {
    const TVolumeArrays arrays = volume_->Arrays();
    const TVolumeArray* array = arrays.MoSt == 1 ? arrays.Single
                                : channel == 0   ? arrays.Left
                                                 : arrays.Right;
    const double n = static_cast<double>(Document().GetValues());
    if (array == nullptr || array->GetWidth() <= 0 || n <= 0) return;
    const double width = array->GetWidth();
    first_->RepaintSamples(from * n / width, to * n / width);
    second_->RepaintSamples(from * n / width, to * n / width);
    // The waves drawn in front of this one as their envelope grow with it.
    window_.Frame().RepaintEnvelopeStrip(Document(), from * n / width, to * n / width);
}

void TViewWaveGroup::FillScene(TViewScene& out) const {
    const TUnitWave& document = Document();
    out.scene.sound = &document.TheSound();
    out.scene.firstEnd = document.FirstEnd();
    out.scene.secondEnd = document.SecondEnd();
    out.scene.settings = &settings_;
    out.scene.volume = kind_ == TWaveWindKind::waveWindVolume && !document.UserDrawing()
                           ? volumePainter_.get()
                           : nullptr;
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
            const TViewWaveGroup& group = envelope->Group();
            out.envelope.volume =
                group.Kind() == TWaveWindKind::waveWindVolume ? &group.VolumePainter() : nullptr;
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

void TViewWaveGroup::ShowPosition(TViewWave& view, const std::string& waveText, int x, int y) {
    TStatusPanels& panels = window_.Frame().StatusPanels();
    if (kind_ == TWaveWindKind::waveWindVolume) {
        const TUnitWave& document = Document();
        panels.SetDesignedWidth(1, kVolumePositionPanelWidth);
        panels.SetText(
            1, FromCore(VolumePositionText(view.Geometry(), document.GetFreq(), volume_->Arrays(),
                                           volumeSettings_,
                                           static_cast<std::int32_t>(document.GetValues()), x, y)));
        return;
    }
    panels.SetDesignedWidth(1, kWavePositionPanelWidth);
    panels.SetText(1, FromCore(waveText));
}

void TViewWaveGroup::ViewChanged(TViewWave& view) {
    Document().MarkShadowChanged();
    window_.Frame().WaveViewChanged(window_, &view == first_ ? 1 : 2);
}

}  // namespace kalvora::gui
