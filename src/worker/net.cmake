# Sources: HTTP exchange, worker threads, batch queue, probe.
