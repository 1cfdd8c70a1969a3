// A program that opens a database as the editor does (behind its "~"
// backup), changes it, says so by setting the named event, and then waits
// to be killed: a run that ends without any close.
//
//   kvtestholddatabase <database> <event name>
#include "app/KelvaronDoc.h"

#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    CKelvaronDoc doc;
    if (!doc.OpenDatabase(argv[1], FALSE))
        return 3;
    try {
        doc.GetDatabase()->ExecuteSQL("UPDATE Components SET [Description] = 'Changed before the kill' "
                                      "WHERE [Component Key] = (SELECT MIN([Component Key]) FROM Components)");
    } catch (CException* e) {
        e->Delete();
        return 4;
    }
    HANDLE hReady = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (hReady == nullptr)
        return 5;
    ::SetEvent(hReady);
    // Nothing sets this event: the process waits until it is killed.
    HANDLE hNever = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ::WaitForSingleObject(hNever, INFINITE);
    return 0;
}
