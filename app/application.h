#pragma once

#include "calc/sample_size.h"
#include "preview/preview_registration.h"
#include "preview/print_registration.h"

#include <memory>

class Form1;
class Form2;
class Form3;
class Form4;

// The application object: it holds the one calculation record and the four
// windows, created once in the order Form1, Form2, Form3, Form4 and kept until
// the end; Form1 is the main window. The three others, which nobody sees
// before the main window is up, are made one by one after its first paint,
// or at once when one of them is asked for earlier.
class Application {
public:
    Application();
    ~Application();

    Application(const Application &) = delete;
    Application &operator=(const Application &) = delete;

    SampleSizeParams &params() { return m_params; }
    Form1 &form1() { return *m_form1; }
    Form2 &form2()
    {
        createOtherWindows();
        return *m_form2;
    }
    Form3 &form3()
    {
        createOtherWindows();
        return *m_form3;
    }
    Form4 &form4()
    {
        createOtherWindows();
        return *m_form4;
    }

    // Shows the main window; the event loop then runs until it closes.
    void showMainWindow();

private:
    // Makes the first of Form2, Form3, Form4 not made yet; true while any
    // is still missing.
    bool createNextWindow();
    void createOtherWindows();
    void createOtherWindowsInTurns();

    bool m_resourcesReady;
    // The print preview window and the screen device, for the results
    // sheet's print request.
    TppPreviewRegistration m_previewClasses;
    // The print dialog, the cancel dialog and the printer device, for
    // printing the sheet on paper from the preview.
    TppPrintRegistration m_printClasses;
    SampleSizeParams m_params;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
};
