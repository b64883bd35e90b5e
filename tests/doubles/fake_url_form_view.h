#pragma once

#include "core/url_form_view.h"
#include "dialogs/url_frm.h"
#include <functional>

// The open-URL window without a window: the list and the field are plain
// members. While it is "shown", `user` plays the part of the person in front
// of it; showModal returns when that is done, as a modal window returns once
// it is closed.
class FakeUrlFormView : public UrlFormView {
public:
  QStringList list;
  QString field;
  int bigIconSize = 0;
  QString notice, noticeDetail;
  int shown = 0;
  bool unloaded = false;
  std::function<void(FakeUrlFormView&, UrlFrm&)> user;

  QStringList items() const override { return list; }
  void addItem(const QString& item) override { list << item; }
  void clearItems() override
  {
    list.clear();
    field.clear();
  }
  QString text() const override { return field; }
  void setText(const QString& text) override { field = text; }
  void setBigIcon(int size) override { bigIconSize = size; }
  void showNotice(const QString& text, const QString& detail) override
  {
    notice = text;
    noticeDetail = detail;
  }
  void showModal(UrlFrm& form) override
  {
    ++shown;
    if (user)
      user(*this, form);
  }
  void unload() override { unloaded = true; }
};
