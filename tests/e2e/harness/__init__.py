"""Helpers of the end-to-end tests: Wine environment, UI driver, scripted
server and client process. The fixtures in ../conftest.py put them together."""
