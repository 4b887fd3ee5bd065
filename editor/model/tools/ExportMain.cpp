// talvo_export --export PROJECT.tin RUN_DIR: the Editor's batch export on its own.
#include <iostream>

#include "model/BatchExport.h"

int main(int argc, char** argv) {
    return talvo::RunBatchExport(argc, argv, std::cout, std::cerr);
}
