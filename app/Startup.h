// Start-up: the application's title and fonts, and the eight windows created once, in order.
#pragma once

class QApplication;

// Sets the fonts the windows ask for and their free substitutes.
void prepareApplication(QApplication &application);
// Creates MainForm, Form3, Form1, Form4, Form2, AboutBox, Form5 and Brauzer1 in this order, each
// one's creation handler run before the next is created, and shows the main window.
void createWindows();
// Destroys the windows in reverse order (at the end of the process, and between tests).
void destroyWindows();
