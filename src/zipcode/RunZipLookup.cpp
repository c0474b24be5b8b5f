#include "zipcode/RunZipLookup.h"

#include "appcore/MainServices.h"
#include "zipcode/TPostFindF.h"

#include <QPointer>

namespace orvel
{

std::optional<ZipChoice> RunZipLookup(MainServices& services)
{
    QPointer<TPostFindF> dialog = new TPostFindF(services, services.window());
    const int result = dialog->exec();
    if (!dialog)
        return std::nullopt;
    std::optional<ZipChoice> choice;
    if (result == QDialog::Accepted)
        choice = ZipChoice{dialog->zipCode(), dialog->address()};
    delete dialog;
    return choice;
}

} // namespace orvel
