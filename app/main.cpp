#include "app/start_up.h"

int main(int argc, char** argv)
{
    return RunQ31(argc, argv);
}
