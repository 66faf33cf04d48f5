#include "app/zelph_main.h"
#include "platform/build_variant.h"

int main(int argc, char** argv) { return zelph::app::ZelphMain(argc, argv, zelph::platform::VgaVariant()); }
