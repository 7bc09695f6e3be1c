/* Korvane: dark skin. "@skinpath" is replaced by the skin folder at start-up. */

QWidget {
    color: rgb(220, 224, 230);
    selection-background-color: #0489F5;
    selection-color: rgb(255, 255, 255);
}

#CKorvane, #MainFrame {
    background: rgb(30, 32, 36);
}

#CTitleWidget, #SubTitleWidget, #DialogTitle {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(46, 50, 57), stop:1 rgb(36, 39, 44));
    border-bottom: 1px solid rgb(18, 19, 22);
}

#TitleLabel {
    color: rgb(240, 242, 245);
    font-weight: bold;
    font-size: 13px;
    padding-left: 4px;
}

#CRecordListManage {
    background: rgb(41, 41, 41);
    border-right: 1px solid rgb(18, 19, 22);
}

#CDisplayBox {
    background: rgb(12, 13, 15);
}

#VideoWnd {
    background-color: rgb(0, 0, 0);
    border: 1px solid #828282;
}

#DialogFrame, #FancyMessageBox {
    background: rgb(38, 41, 46);
    border: 1px solid rgb(70, 76, 86);
}

QDialog {
    background: rgb(38, 41, 46);
}

QLabel {
    background: transparent;
}

QToolTip {
    color: rgb(230, 232, 236);
    background: rgb(50, 54, 61);
    border: 1px solid rgb(90, 96, 106);
    padding: 3px;
}

/* Buttons */
QPushButton, #NormalToolButton {
    color: rgb(230, 232, 236);
    background: rgb(58, 63, 71);
    border: 1px solid rgb(80, 86, 96);
    border-radius: 3px;
    padding: 2px 10px;
}
QPushButton:hover, #NormalToolButton:hover {
    background: rgb(70, 76, 86);
    border-color: #0489F5;
}
QPushButton:pressed, #NormalToolButton:pressed {
    background: #0489F5;
    color: rgb(255, 255, 255);
}
QPushButton:default {
    border-color: #0489F5;
}
QPushButton#SmallButton {
    padding: 1px 2px;
}
QPushButton:disabled, #NormalToolButton:disabled {
    color: rgb(110, 114, 120);
    background: rgb(46, 49, 54);
    border-color: rgb(60, 64, 70);
}

#TabButton {
    color: rgb(220, 224, 230);
    background: rgb(50, 54, 61);
    border: 0px;
    border-top: 1px solid rgb(22, 24, 27);
}
#TabButton:hover {
    background: rgb(64, 70, 80);
}
#TabButton:checked, #TabButton:pressed {
    background: #0489F5;
    color: rgb(255, 255, 255);
}
/* A tool button that cannot be used looks it: dimmed text on a flat, darker ground. */
QToolButton:disabled, #TabButton:disabled {
    color: rgb(100, 104, 110);
}
#TabButton:disabled {
    background: rgb(36, 38, 42);
}

/* The text in the Disk page's place when no recording is listed. */
#EmptyTreeText {
    color: rgb(190, 196, 204);
}

/* Tabs */
QTabWidget::pane {
    border: 0px;
    background: rgb(41, 41, 41);
}
QTabBar::tab {
    color: rgb(170, 176, 186);
    background: rgb(46, 49, 54);
    border: 0px;
    min-width: 70px;
    padding: 6px 10px;
}
QTabBar::tab:selected {
    color: rgb(255, 255, 255);
    background: rgb(41, 41, 41);
    border-bottom: 2px solid #0489F5;
}
QTabBar::tab:hover:!selected {
    background: rgb(58, 62, 70);
}

/* Input fields */
QLineEdit, QComboBox, QDateTimeEdit, QSpinBox, QPlainTextEdit, QTextEdit {
    color: rgb(230, 232, 236);
    background: rgb(28, 30, 34);
    border: 1px solid rgb(74, 80, 90);
    border-radius: 2px;
    padding: 1px 4px;
}
QLineEdit:focus, QComboBox:focus, QPlainTextEdit:focus {
    border-color: #0489F5;
}
QLineEdit:disabled, QComboBox:disabled {
    color: rgb(110, 114, 120);
    background: rgb(40, 42, 46);
}
QComboBox::drop-down {
    border: 0px;
    width: 18px;
}
QComboBox::down-arrow {
    image: url(@skinpath/icons/ArrowDown.png);
    width: 10px;
    height: 10px;
}
QComboBox QAbstractItemView {
    color: rgb(230, 232, 236);
    background: rgb(38, 41, 46);
    border: 1px solid rgb(74, 80, 90);
    selection-background-color: #0489F5;
}

QCheckBox {
    spacing: 6px;
}
QCheckBox:disabled {
    color: rgb(110, 114, 120);
}

/* Trees and lists */
QTreeView, QListView, QTableView {
    color: rgb(220, 224, 230);
    background: rgb(41, 41, 41);
    alternate-background-color: rgb(46, 46, 46);
    border: 0px;
    outline: 0px;
}
QTreeView::item {
    height: 22px;
}
QTreeView::item:hover {
    background: rgb(56, 60, 68);
}
QTreeView::item:selected {
    background: #0489F5;
    color: rgb(255, 255, 255);
}
QHeaderView::section {
    color: rgb(200, 204, 210);
    background: rgb(50, 54, 61);
    border: 0px;
    padding: 3px;
}

/* Menus */
QMenu {
    color: rgb(230, 232, 236);
    background: rgb(44, 47, 53);
    border: 1px solid rgb(74, 80, 90);
}
QMenu::item {
    padding: 4px 24px 4px 16px;
}
QMenu::item:selected {
    background: #0489F5;
}
QMenu::item:disabled {
    color: rgb(120, 124, 130);
}
QMenu::separator {
    height: 1px;
    background: rgb(74, 80, 90);
    margin: 3px 6px;
}

/* Scroll bars and sliders */
QScrollBar:vertical {
    background: rgb(36, 36, 36);
    width: 10px;
    margin: 0px;
}
QScrollBar:horizontal {
    background: rgb(36, 36, 36);
    height: 10px;
    margin: 0px;
}
QScrollBar::handle {
    background: rgb(86, 92, 102);
    border-radius: 4px;
    min-height: 24px;
    min-width: 24px;
}
QScrollBar::handle:hover {
    background: rgb(110, 118, 130);
}
QScrollBar::add-line, QScrollBar::sub-line {
    width: 0px;
    height: 0px;
}
QScrollBar::add-page, QScrollBar::sub-page {
    background: transparent;
}
QSlider::groove:horizontal {
    height: 4px;
    background: rgb(70, 74, 82);
    border-radius: 2px;
}
QSlider::sub-page:horizontal {
    background: #0489F5;
    border-radius: 2px;
}
QSlider::handle:horizontal {
    background: rgb(240, 242, 245);
    width: 12px;
    margin: -5px 0px;
    border-radius: 6px;
}

QProgressBar {
    color: rgb(240, 242, 245);
    background: rgb(28, 30, 34);
    border: 1px solid rgb(74, 80, 90);
    border-radius: 2px;
    text-align: center;
}
QProgressBar::chunk {
    background: #0489F5;
}
