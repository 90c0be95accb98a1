// valdora-meter: the QOR Valdora meters run offline on a file or a demo
// signal, or as a delivery check over many files.

#include "tools/valdora-meter/DeliveryRun.h"
#include "tools/valdora-meter/MeterOptions.h"
#include "tools/valdora-meter/MeterRun.h"
#include "tools/vsthost/HostError.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace valdorameter;
    MeterOptions options;
    try {
        options = MeterOptions::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "valdora-meter: " << error.what() << "\n" << MeterOptions::usage();
        return kExitUsage;
    }
    if (options.help) {
        std::cout << MeterOptions::usage();
        return kExitOk;
    }
    if (options.delivery()) {
        try {
            return runDelivery(options, std::cout, std::cerr);
        } catch (const UsageError& error) {
            std::cerr << "valdora-meter: " << error.what() << '\n';
            return kExitUsage;
        }
    }
    try {
        return runMeter(options, std::cout);
    } catch (const vsthost::HostError& error) {
        std::cerr << "valdora-meter: " << error.what() << '\n';
        return kExitFile;
    } catch (const std::exception& error) {
        std::cerr << "valdora-meter: " << error.what() << '\n';
        return kExitFile;
    }
}
