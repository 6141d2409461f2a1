# batch/main.cpp
# the batch listing leaves out the last step
s/for (int n = 1; n <= nLast; ++n)$/for (int n = 1; n < nLast; ++n)/
