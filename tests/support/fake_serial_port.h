#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "serial/serial_port_control.h"

namespace vantorix::test {

// A serial port that records every property write ("CommPort=3",
// "Settings=9600,N,8,1", "PortOpen=1", "Input", ...) and delivers data when a
// test calls receive().
class FakeSerialPort final : public SerialPortControl {
  public:
    std::vector<std::string> log;
    bool opens = true;                  // whether opening succeeds
    std::vector<std::string> rejected;  // settings texts the port refuses
    std::vector<std::int32_t> rejectedHandshakes;
    std::string failureReason;  // why opening fails, when it does
    std::string waiting;        // received, not yet read
    std::string sentOut;        // everything written with Output
    std::int16_t event = comEvReceive;

    bool setCommPort(std::int16_t number) override {
        return record("CommPort=" + std::to_string(number));
    }
    bool setCommDevice(const std::string& path) override { return record("CommDevice=" + path); }
    bool setSettings(const std::string& settings) override {
        record("Settings=" + settings);
        for (const std::string& refused : rejected) {
            if (refused == settings) {
                return false;
            }
        }
        return true;
    }
    bool setInputLen(std::int16_t length) override {
        return record("InputLen=" + std::to_string(length));
    }
    bool setHandshaking(std::int32_t mode) override {
        record("Handshaking=" + std::to_string(mode));
        return std::find(rejectedHandshakes.begin(), rejectedHandshakes.end(), mode) ==
               rejectedHandshakes.end();
    }
    bool setPortOpen(bool open) override {
        record(open ? "PortOpen=1" : "PortOpen=0");
        open_ = open && opens;
        return open_ == open;
    }
    bool PortOpen() const override { return open_; }
    std::string Input() override {
        log.emplace_back("Input");
        std::string data;
        data.swap(waiting);
        return data;
    }
    bool Output(const std::string& data) override {
        sentOut += data;
        return record("Output=" + data);
    }
    std::int16_t CommEvent() const override { return event; }
    std::string openFailureReason() const override { return opens ? "" : failureReason; }

    // Data arrives: it waits in the port and the receive event is raised.
    void receive(const std::string& data) {
        waiting += data;
        event = comEvReceive;
        if (OnComm) {
            OnComm();
        }
    }

  private:
    bool record(std::string entry) {
        log.push_back(std::move(entry));
        return true;
    }
    bool open_ = false;
};

}  // namespace vantorix::test
