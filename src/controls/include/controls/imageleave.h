#pragma once
// A picture control that reports the pointer leaving it and carries the data of the
// catalogue record it stands for (a section hot-spot). Every setter only stores its value.

#include <QString>

#include "controls/picture.h"

class TImageLeave : public TImage {
  Q_OBJECT
 public:
  using TImage::TImage;

  const SenderFn& OnMouseLeave() const { return onMouseLeave_; }
  void SetOnMouseLeave(SenderFn handler) { onMouseLeave_ = std::move(handler); }

  const QString& Oboz() const { return oboz_; }
  const QString& Naim() const { return naim_; }
  const QString& PictureFile() const { return pictureFile_; }
  const QString& ViewFile() const { return viewFile_; }
  int Number() const { return number_; }
  bool Sostoit() const { return sostoit_; }
  int ID() const { return id_; }
  int Parent() const { return parentId_; }
  const QString& Massa() const { return massa_; }
  const QString& Count() const { return count_; }

  void SetOboz(const QString& v) { oboz_ = v; }
  void SetNaim(const QString& v) { naim_ = v; }
  void SetPictureFile(const QString& v) { pictureFile_ = v; }
  void SetViewFile(const QString& v) { viewFile_ = v; }
  void SetNumber(int v) { number_ = v; }
  void SetSostoit(bool v) { sostoit_ = v; }
  void SetID(int v) { id_ = v; }
  void SetParent(int v) { parentId_ = v; }
  void SetMassa(const QString& v) { massa_ = v; }
  void SetCount(const QString& v) { count_ = v; }

 protected:
  void leaveEvent(QEvent* e) override {
    TImage::leaveEvent(e);
    if (auto handler = onMouseLeave_) handler(this);
  }

 private:
  SenderFn onMouseLeave_;
  int number_ = 0;
  QString naim_;
  QString oboz_;
  bool sostoit_ = false;
  int id_ = 0;
  int parentId_ = 0;
  QString pictureFile_;
  QString viewFile_;
  QString massa_;
  QString count_;
};
