#include "common/FuzzCorpus.h"

TEST(CdgFuzzCorpus, EverySeedRunsCleanly)
{
    testsupport::RunFuzzCorpus("tests/karaoke/fuzz-corpus", 5);
}
