#pragma once
// The main picture with the window's background, and on a drawing the callouts of its parts.

#include <QObject>

#include <vector>

#include "browsing/model.h"
#include "controls/jpeg.h"
#include "controls/label.h"
#include "design.h"

// The pictures of the levels seen last stay decoded, so that back and home show them at once.
inline constexpr std::size_t kRecentPictures = 8;
inline constexpr qint64 kRecentPixels = 16LL * 1024 * 1024;

class Drawing : public QObject {
  Q_OBJECT
 public:
  // New callout labels are made on `form`; `keys` takes their key and focus events.
  Drawing(const Design& design, const browsing::BrowsingModel& model, QWidget* form, QObject* keys,
          QObject* parent = nullptr);

  void Redraw(const browsing::Change& change);

  // Loads the picture of the node on screen; a failure is reported and the picture shown
  // before stays.
  void SetPicture(const QString& cataloguePath);
  const std::vector<TLabel*>& Callouts() const { return callouts_; }
  bool IsCallout(const QObject* control) const;
  // A callout is bold and underlined under the pointer, regular when it is left.
  void HoverCallout(TLabel* label) { label->SetFontStyle(true, true); }
  void LeaveCallout(TLabel* label) { label->SetFontStyle(false, false); }
  // The picture goes when the window closes.
  void Release();

 signals:
  void calloutClicked(QWidget* sender);
  void calloutMoved(QWidget* sender);
  void calloutLeft(QWidget* sender);
  void message(const QString& text);

 private:
  JpegOptions PictureOptions() const;
  void SetJpegOptions();
  void Wire(TLabel* label);
  TLabel* CalloutLabel(std::size_t index);
  void LayOutCallouts();
  void MarkCallouts();
  QString NativeFile(const std::string& cataloguePath) const;

  const browsing::BrowsingModel& model_;
  QWidget* form_;
  QObject* keys_;
  TImage* imFon;
  TImage* imMain;
  TImage* sectionsBackground_;         // Image14: Images\Fon2.jpg, loaded at start
  TImage* drawingBackground_;          // Image26: no picture
  std::vector<TLabel*> designLabels_;  // Label1 .. Label35
  std::vector<TLabel*> callouts_;      // those and the further labels a large drawing needs
  TextLayouts labelLayouts_;           // laid-out label lines, shared by the callouts
};
