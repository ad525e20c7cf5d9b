// The edge of every event handler: errors end up in the error message box.
#include "HandlerGuard.h"

#include "Errors.h"
#include "UserInteraction.h"

#include <new>

void reportUncaught() noexcept
{
    try {
        try {
            throw;
        } catch (const WeldError &error) {
            showErrorMessage(error.message());
        } catch (const std::bad_alloc &) {
            showErrorMessage(QStringLiteral("Out of memory"));
        } catch (const std::exception &error) {
            showErrorMessage(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            showErrorMessage(QStringLiteral("Unknown error"));
        }
    } catch (...) {
        // Showing the box itself failed; nothing sensible is left to do but go on.
    }
}
