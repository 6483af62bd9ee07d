// frm_Print: the print preview. A multiple-document frame titled "인쇄"
// that shows page forms as child windows at their own size, with the two
// menu commands "인쇄" (print the newest page) and "닫기" (close it and the
// preview).
#pragma once

#include <QMainWindow>
#include <QPointer>

class PageForm;
class QAction;
class QMdiArea;
class QMdiSubWindow;

class frm_Print final : public QMainWindow {
public:
    frm_Print();

    void show_print(PageForm *page);

    void mnu_Print_Click();
    void mnu_Close_Click();

    // The page the menu commands act on; nullptr once it is closed.
    PageForm *Shown_Page() const { return page_; }

    QAction *mnu_Print = nullptr;
    QAction *mnu_Close = nullptr;
    QMdiArea *Area() const { return area_; }

protected:
    bool event(QEvent *event) override;

private:
    // 9000 × 11200 twips with the window manager's frame, once the frame is known.
    void Fit_Outer_Size();

    QMdiArea *area_ = nullptr;
    bool frameFitted_ = false;
    QPointer<PageForm> page_;
};
