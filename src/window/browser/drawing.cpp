#include "browser/drawing.h"

#include "layout.h"

using browsing::dmDrawing;
using browsing::dmList;
using browsing::dmSections;

Drawing::Drawing(const Design& design, const browsing::BrowsingModel& model, QWidget* form, QObject* keys,
                 QObject* parent)
    : QObject(parent),
      model_(model),
      form_(form),
      keys_(keys),
      imFon(design.imFon),
      imMain(design.imMain),
      sectionsBackground_(design.images.at(kSectionsBackground)),
      drawingBackground_(design.images.at(kDrawingBackground)),
      designLabels_(design.callouts),
      callouts_(design.callouts) {
  for (TLabel* l : callouts_) Wire(l);
  imMain->KeepRecentPictures(kRecentPictures, kRecentPixels);
  // The sections background; a failure is silent and leaves it empty.
  sectionsBackground_->LoadFromFile(NativeFile(model_.folder().SectionsBackground()));
}

QString Drawing::NativeFile(const std::string& cataloguePath) const {
  return QString::fromStdU16String(model_.folder().Native(cataloguePath).u16string());
}

void Drawing::Wire(TLabel* l) {
  l->SetLayouts(&labelLayouts_);
  l->OnClick = [this](QWidget* s) { emit calloutClicked(s); };
  l->OnMouseMove = [this](QWidget* s, Qt::KeyboardModifiers, int, int) { emit calloutMoved(s); };
  l->OnMouseLeave = [this](QWidget* s) { emit calloutLeft(s); };
}

bool Drawing::IsCallout(const QObject* control) const {
  return std::find(callouts_.begin(), callouts_.end(), control) != callouts_.end();
}

TLabel* Drawing::CalloutLabel(std::size_t index) {
  // A drawing with more parts than the design's labels gets further labels of the same kind.
  while (callouts_.size() <= index) {
    TLabel* l = NewCalloutLabel(form_, keys_);
    Wire(l);
    l->stackUnder(designLabels_.back());
    callouts_.push_back(l);
  }
  return callouts_[index];
}

void Drawing::LayOutCallouts() {
  const auto& parts = model_.Callouts();
  const std::size_t shown = model_.DisplayMode() == dmDrawing ? parts.size() : 0;
  for (std::size_t i = shown; i < callouts_.size(); ++i) callouts_[i]->hide();
  const auto highlighted = model_.Highlighted();
  for (std::size_t i = 0; i < shown; ++i) {
    const browsing::Callout& part = parts[i];
    TLabel* l = CalloutLabel(i);
    // A found part's callout keeps its hover look until the pointer passes over it; every
    // other callout is laid out in the regular look.
    l->SetFontStyle(false, false);
    l->SetCaption(QString::fromStdString(part.Oboz) + QChar(13) + QString::fromStdString(part.Naim));
    l->tag = part.ID;
    l->move(part.Left, part.Top);
    l->SetMark(model_.CalloutInBasket(part));
    l->show();
    if (highlighted == part.ID) HoverCallout(l);
  }
}

// A callout whose part is in the basket carries the mark.
void Drawing::MarkCallouts() {
  const auto& parts = model_.Callouts();
  if (model_.DisplayMode() != dmDrawing) return;
  for (std::size_t i = 0; i < parts.size() && i < callouts_.size(); ++i)
    callouts_[i]->SetMark(model_.CalloutInBasket(parts[i]));
}

JpegOptions Drawing::PictureOptions() const {
  JpegOptions o;
  // The parts list shows its pictures at a quarter of their size.
  o.quarter = model_.DisplayMode() == dmList;
  o.grayscale = false;
  o.bestQuality = true;
  o.progressiveDisplay = true;
  return o;
}

void Drawing::SetJpegOptions() { imMain->SetJpegOptions(PictureOptions()); }

void Drawing::SetPicture(const QString& cataloguePath) {
  // Loaded with the options the picture is shown with, so it is decoded once.
  if (!imMain->LoadFromFile(NativeFile(cataloguePath.toStdString()), PictureOptions()))
    emit message(QStringLiteral("Ошибка загрузки файла картинки"));
  SetJpegOptions();
}

void Drawing::Release() { imMain->ClearPicture(); }

void Drawing::Redraw(const browsing::Change& change) {
  const int mode = model_.DisplayMode();
  if (change.Has(browsing::kMode)) {
    // The root and the list show the sections background; a drawing the window's own colour.
    if (mode == dmSections) imFon->AssignFrom(*sectionsBackground_);
    if (mode == dmDrawing) imFon->AssignFrom(*drawingBackground_);
    // The picture stands centred at its natural size; a drawing fills the window.
    if (mode != dmList) imMain->SetProportional(false);
    imMain->setGeometry(kMainPicture.In(mode));
    // Another display changes the whole window: it is painted as one rectangle, not as the
    // many its moved controls would make.
    form_->update();
  }
  if (change.Has(browsing::kMode) || change.Has(browsing::kCallouts))
    LayOutCallouts();
  else if (change.Has(browsing::kBasket))
    MarkCallouts();
  for (const browsing::PictureLoad& load : change.loads) {
    if (load.report == browsing::PictureLoad::Report::File) {
      SetPicture(QString::fromStdString(load.path));
    } else if (!imMain->LoadFromFile(NativeFile(load.path))) {
      // A display laid out shows its picture again.
      emit message(QStringLiteral("Ошибка загрузки изображения"));
    }
  }
}
